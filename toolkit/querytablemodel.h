#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <memory>

#include "toolkit/gridcolumn.h"

class Connection;
class PagedQuery;

// Read-only rows of a query, fetched a page at a time as the view asks.
// Without columns given, every field of the query is shown plainly.
class QueryTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  QueryTableModel(Connection& connection, const QString& sql, const QVariantList& parameters = {},
                  GridColumns columns = {}, QObject* parent = nullptr);
  ~QueryTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  void refresh();  // re-runs the query

 private:
  const QVariantList& row(int row) const;

  std::unique_ptr<PagedQuery> query_;
  GridColumns columns_;
  std::vector<int> fieldOfColumn_;
  mutable QHash<int, QList<QVariantList>> pages_;
};
