#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class Connection;
class Statement;

// One term of a list's order: a result column, ascending or descending.
struct SortTerm {
  QString column;
  bool descending = false;
};

// A table whose rows are read only up to the highest key it held when the
// reading began: rows saved meanwhile neither shift nor join a list already
// shown. Keys only grow, so the bound is exact for added rows.
struct KeyMark {
  QString table;
  QString key;
};

// A list's rows and their order. Reading resumes right after any row, so the
// order must tell rows apart: a keyed list ends its order with the keys of its
// rows; any other order is completed with every other column, ascending.
struct SortedQuery {
  QString rows;                  // SELECT ... without ORDER BY
  std::vector<SortTerm> order;   // by result column name
  QVariantList parameters;       // bound first
  std::vector<KeyMark> marks;    // bound after the parameters, in order
  bool keyed = false;
};

// The highest key of every table at one moment: lists read "as of" it leave
// out every row added since.
struct KeySnapshot {
  QHash<QString, QVariant> highest;
};
KeySnapshot takeKeySnapshot(Connection& connection);
// The query with its key marks fixed at the snapshot: refreshing it rereads
// the same rows.
SortedQuery asOf(SortedQuery query, const KeySnapshot& snapshot);

// The list as one statement in its given order, parameters and marks bound
// as of now: what the engine reads without paging, for measuring against.
std::unique_ptr<Statement> wholeList(Connection& connection, const SortedQuery& query);

// A read-only list read a page at a time: a page continues from a neighbour
// page's boundary row (no scan of the rows before it), the last page is read
// backwards, and only a jump into the middle counts rows from the start. No
// statement stays open between pages, so other windows save meanwhile.
class PagedQuery {
 public:
  PagedQuery(Connection& connection, SortedQuery query);

  const QStringList& columnNames() const { return columns_; }
  int rowCount();  // counted once per reading
  // A new reading: new key marks, recount.
  void refresh();

  QList<QVariantList> first(int count);
  QList<QVariantList> last(int count);
  QList<QVariantList> after(const QVariantList& row, int count);
  QList<QVariantList> before(const QVariantList& row, int count);  // in list order
  QList<QVariantList> at(int offset, int count);

 private:
  QList<QVariantList> read(const QString& where, const QVariantList& boundary, bool backwards, int count, int offset = 0);
  QString orderBy(bool backwards) const;
  QString following(const QVariantList& row, bool backwards, QVariantList& values) const;

  Connection& connection_;
  SortedQuery query_;
  QVariantList bound_;  // parameters, then the key marks of this reading
  QStringList columns_;
  std::vector<SortTerm> order_;   // completed
  std::vector<int> orderColumns_;
  int count_ = 0;
  bool counted_ = false;
};
