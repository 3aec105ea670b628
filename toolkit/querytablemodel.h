#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <memory>

#include "toolkit/gridcolumn.h"

class Connection;
class PagedQuery;
struct SortedQuery;

// Read-only rows of a list, fetched a page at a time as the view asks. The
// first page is read at once; a longer list is counted on countRows(), which
// its grid calls once the first screen is painted, so the screen does not wait
// for the count. Without columns given, every field of the list is shown plainly.
class QueryTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  QueryTableModel(Connection& connection, const SortedQuery& query, GridColumns columns = {}, QObject* parent = nullptr);
  ~QueryTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  virtual void refresh();  // reads the list again, from its first row
  bool counted() const { return !counting_; }
  void countRows();

 protected:
  const QVariantList& row(int row) const;  // the fields as read
  int fieldOfColumn(int column) const { return fieldOfColumn_[size_t(column)]; }
  const GridColumn& column(int column) const { return columns_[size_t(column)]; }
  QString fieldName(int field) const;

 private:
  QList<QVariantList> readPage(int page) const;

  std::unique_ptr<PagedQuery> query_;
  GridColumns columns_;
  std::vector<int> fieldOfColumn_;
  int rows_ = 0;
  bool counting_ = false;
  mutable QHash<int, QList<QVariantList>> pages_;
};
