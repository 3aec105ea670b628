#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <memory>

#include "toolkit/gridcolumn.h"

class Connection;
class ListWalker;
class PagedQuery;
struct ListShape;
struct SortedQuery;

// Read-only rows of a list, fetched a page at a time as the view asks, each
// page straight off an index in the list's order. The first page is read at
// once; the list is counted on countRows(), which its grid calls once the
// first screen is painted, on a thread of its own: meanwhile the grid shows
// the pages read so far and reads on as it is scrolled. The count brings
// where each page begins, so that a jump anywhere reads one page. A computed
// list (a total) is read whole that way. Without columns given, every field of
// the list is shown plainly.
class QueryTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  QueryTableModel(Connection& connection, const SortedQuery& query, GridColumns columns = {}, QObject* parent = nullptr);
  ~QueryTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  virtual void refresh();  // reads the list again, from its first row
  bool counted() const { return counted_; }
  void countRows();  // starts the count, once per reading

 signals:
  // The count arrived: rowCount() is the list's length from now on.
  void countArrived();

 protected:
  const QVariantList& row(int row) const;  // the fields as read
  int fieldOfColumn(int column) const { return fieldOfColumn_[size_t(column)]; }
  const GridColumn& column(int column) const { return columns_[size_t(column)]; }
  QString fieldName(int field) const;

 private:
  QList<QVariantList> readPage(int page) const;
  void arrive(const ListShape& shape);

  Connection& connection_;
  std::unique_ptr<PagedQuery> query_;
  std::unique_ptr<ListWalker> walker_;
  GridColumns columns_;
  std::vector<int> fieldOfColumn_;
  int rows_ = 0;
  bool counted_ = false;
  bool fetching_ = false;
  bool resetting_ = false;
  int reading_ = 0;  // counts the readings, so that a count for an earlier one is dropped
  std::vector<QVariantList> pageStarts_;
  mutable QHash<int, QList<QVariantList>> pages_;
};
