#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <memory>
#include <vector>

class Connection;
class Statement;

// One term of a list's order: a result column, ascending or descending. A
// folded term is text sorted the way the office reads it: letter case
// ignored first, then the exact text, so "acme traders" sits beside "Acme
// Traders" and the order stays total.
struct SortTerm {
  QString column;
  bool descending = false;
  bool folded = false;
  bool neverNull = false;  // a key: ordered as the engine orders its own key index
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
  enum class Kind {
    Keyed,     // every row once; the order ends with the rows' keys
    Distinct,  // equal rows shown once: neighbours in the completed order, so dropped while reading
    Plain,     // the rows as they come, completed order
    Computed,  // a few rows that take long to compute (a total): read whole, off the window's thread
  };
  QString rows;                  // SELECT ... without ORDER BY
  std::vector<SortTerm> order;   // by result column name
  QVariantList parameters;       // bound first
  std::vector<KeyMark> marks;    // bound after the parameters, in order
  Kind kind = Kind::Plain;
  QString reference = {};  // the same rows as plainly written, when `rows` reads them another way
  int latest = 0;          // more than 0: only that many first rows of the order (the latest sign-ins)
};

// A text as both engines fold it for sorting: A-Z to a-z, nothing else.
QString foldedText(const QString& text);

// The highest key of every table at one moment: lists read "as of" it leave
// out every row added since.
struct KeySnapshot {
  QHash<QString, QVariant> highest;
};
KeySnapshot takeKeySnapshot(Connection& connection);
// The query with its key marks fixed at the snapshot: refreshing it rereads
// the same rows.
SortedQuery asOf(SortedQuery query, const KeySnapshot& snapshot);

// The list as one statement in its order, duplicates removed by the engine,
// parameters and marks bound as of now: the plain reading every other way of
// reading the list must agree with.
std::unique_ptr<Statement> wholeList(Connection& connection, const SortedQuery& query);

// Where a list's pages begin, found by walking it once in its order.
struct ListShape {
  int rows = 0;
  std::vector<QVariantList> pageStarts;  // the order values of each page's first row
  QList<QVariantList> computed;          // a computed list's rows
};

// A read-only list read a page at a time, each page straight off an index in
// the list's order: a page continues from a boundary row (a page's first or
// last row, or a page start found by walk()), never by counting rows from the
// start. No statement stays open between pages, so other windows save meanwhile.
class PagedQuery {
 public:
  PagedQuery(Connection& connection, SortedQuery query);

  const QStringList& columnNames() const { return columns_; }
  SortedQuery::Kind kind() const { return query_.kind; }
  // A new reading: new key marks.
  void refresh();
  // The query with this reading's key marks bound: what another connection
  // reads to see exactly these rows.
  SortedQuery asRead() const;

  QList<QVariantList> first(int count);
  QList<QVariantList> after(const QVariantList& row, int count);
  QList<QVariantList> before(const QVariantList& row, int count);  // in list order
  // From the row whose order values are `start` (see ListShape) onwards.
  QList<QVariantList> from(const QVariantList& start, int count);
  // The order values of a row.
  QVariantList orderValues(const QVariantList& row) const;
  // What reading the first page runs, and the values it binds: to look at its plan.
  QString firstPageText() const;
  QVariantList firstPageValues(int count) const { return QVariantList(bound_) << count; }

  // Reads the whole list in its order, chunk by chunk, to count its rows and
  // note where each page of `pageSize` rows begins; a computed list is simply
  // read. Returns early, with what it has, once `stop` is set.
  ListShape walk(int pageSize, const std::atomic<bool>& stop);
  int rowCount();  // walks the list, on this thread

 private:
  struct SortKey {
    QString expression;
    int term;  // in order_
    bool folded;
    bool descending;
    bool neverNull = false;
  };
  struct Part {
    QString where;
    QVariantList values;
    size_t firstKey = 0;  // the keys before it are equal in every row of the part
  };

  QList<QVariantList> read(const QVariantList& boundary, bool backwards, bool inclusive, int count);
  QList<QVariantList> readPart(const Part& part, bool backwards, int count);
  QString partText(const Part& part, bool backwards) const;
  std::vector<Part> partsFrom(const QVariantList& values, bool backwards, bool inclusive) const;
  QVariant keyValue(const SortKey& key, const QVariantList& values) const;
  QString orderBy(bool backwards, size_t firstKey) const;

  Connection& connection_;
  SortedQuery query_;
  QVariantList bound_;  // parameters, then the key marks of this reading
  QStringList columns_;
  std::vector<SortTerm> order_;  // completed
  std::vector<int> orderColumns_;
  std::vector<SortKey> keys_;
};
