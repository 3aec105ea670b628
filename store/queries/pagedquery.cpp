#include "store/queries/pagedquery.h"

#include <algorithm>
#include <climits>

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

constexpr int kWalkChunk = 2000;

QString quoted(const QString& name) { return '"' + QString(name).replace('"', QStringLiteral("\"\"")) + '"'; }

QVariant highestKey(Connection& connection, const KeyMark& mark) {
  Statement highest(connection, QStringLiteral("SELECT coalesce(max(%1), 0) FROM %2").arg(quoted(mark.key), quoted(mark.table)));
  return highest.step() ? highest.value(0) : QVariant(0);
}

bool sameValue(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  return a == b;
}

bool sameRow(const QVariantList& a, const QVariantList& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (!sameValue(a[i], b[i])) return false;
  return true;
}

// An ORDER BY over the terms: each folded term as its folded text, then as written.
QString orderTerms(const SqlDialect& dialect, const std::vector<SortTerm>& order, bool backwards) {
  QStringList terms;
  for (const SortTerm& term : order) {
    const bool descending = term.descending != backwards;
    if (term.folded) terms << dialect.orderTerm(QStringLiteral("lower(%1)").arg(quoted(term.column)), descending);
    terms << dialect.orderTerm(quoted(term.column), descending, term.neverNull);
  }
  return terms.join(QStringLiteral(", "));
}

QString latestRows(const QString& rows, const QString& order, int count) {
  return QStringLiteral("SELECT * FROM (SELECT * FROM (%1) AS every ORDER BY %2 LIMIT %3) AS latest").arg(rows, order).arg(count);
}

}  // namespace

QString foldedText(const QString& text) {
  QString folded = text;
  for (QChar& c : folded)
    if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + ('a' - 'A'));
  return folded;
}

KeySnapshot takeKeySnapshot(Connection& connection) {
  KeySnapshot snapshot;
  for (const Table& table : allTables()) {
    const Column& key = table.columns.front();
    if (key.type == ColumnType::Key) snapshot.highest.insert(table.name, highestKey(connection, {table.name, key.name}));
  }
  return snapshot;
}

SortedQuery asOf(SortedQuery query, const KeySnapshot& snapshot) {
  for (const KeyMark& mark : query.marks) query.parameters << snapshot.highest.value(mark.table, 0);
  query.marks.clear();
  return query;
}

std::unique_ptr<Statement> wholeList(Connection& connection, const SortedQuery& query) {
  QString rows = query.reference.isEmpty() ? query.rows : query.reference;
  std::vector<SortTerm> terms = query.order;
  if (!query.reference.isEmpty()) {  // only what it orders by of its own: a key that reads the rows faster is not its
    const QStringList columns = Statement(connection, rows).columnNames();
    std::erase_if(terms, [&columns](const SortTerm& term) { return !columns.contains(term.column); });
  }
  if (query.kind == SortedQuery::Kind::Distinct) rows = QStringLiteral("SELECT DISTINCT * FROM (%1) AS distinctrows").arg(rows);
  const QString order = orderTerms(connection.dialect(), terms, false);
  if (query.latest > 0) rows = latestRows(rows, order, query.latest);
  auto statement = std::make_unique<Statement>(connection, QStringLiteral("SELECT * FROM (%1) AS listed ORDER BY %2")
                                                               .arg(rows, order));
  statement->bindAll(asOf(query, takeKeySnapshot(connection)).parameters);
  return statement;
}

PagedQuery::PagedQuery(Connection& connection, SortedQuery query) : connection_(connection), query_(std::move(query)) {
  columns_ = Statement(connection_, query_.rows).columnNames();
  for (const SortTerm& term : query_.order) {
    const int column = int(columns_.indexOf(term.column));
    if (column < 0)
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the list has no column %1 to sort by.").arg(term.column));
    order_.push_back(term);
    orderColumns_.push_back(column);
  }
  for (int column = 0; query_.kind != SortedQuery::Kind::Keyed && column < columns_.size(); ++column)
    if (std::find(orderColumns_.begin(), orderColumns_.end(), column) == orderColumns_.end()) {
      order_.push_back({columns_[column], false, isTextColumn(columns_[column])});
      orderColumns_.push_back(column);
    }
  for (size_t t = 0; t < order_.size(); ++t) {
    const QString column = quoted(order_[t].column);
    if (order_[t].folded) keys_.push_back({QStringLiteral("lower(%1)").arg(column), int(t), true, order_[t].descending});
    keys_.push_back({column, int(t), false, order_[t].descending, order_[t].neverNull});
  }
  if (query_.latest > 0) query_.rows = latestRows(query_.rows, orderBy(false, 0), query_.latest);
  refresh();
}

void PagedQuery::refresh() {
  bound_ = query_.parameters;
  for (const KeyMark& mark : query_.marks) bound_ << highestKey(connection_, mark);
}

SortedQuery PagedQuery::asRead() const {
  SortedQuery read = query_;
  read.parameters = bound_;
  read.marks.clear();
  return read;
}

QVariantList PagedQuery::orderValues(const QVariantList& row) const {
  QVariantList values;
  for (int column : orderColumns_) values << row.value(column);
  return values;
}

QVariant PagedQuery::keyValue(const SortKey& key, const QVariantList& values) const {
  const QVariant& value = values.value(key.term);
  return key.folded && !value.isNull() ? QVariant(foldedText(value.toString())) : value;
}

// Keys a part holds equal are left out: the file engine would not see that
// its index still gives the order, and sort instead.
QString PagedQuery::orderBy(bool backwards, size_t firstKey) const {
  QStringList terms;
  for (size_t k = firstKey; k < keys_.size(); ++k)
    terms << connection_.dialect().orderTerm(keys_[k].expression, keys_[k].descending != backwards, keys_[k].neverNull);
  return terms.join(QStringLiteral(", "));
}

// The rows after the boundary (or before it, reading backwards) in list
// order, as parts that each an index serves with one seek: the same values
// in the first keys and later in the next one, the deepest part first.
// Nulls come first in ascending order, last in descending. A text compared
// equal is cast to text: the file engine would otherwise put the value in
// place of the column inside its folded twin, and lose the index.
std::vector<PagedQuery::Part> PagedQuery::partsFrom(const QVariantList& values, bool backwards, bool inclusive) const {
  std::vector<Part> parts;
  QStringList same;
  QVariantList sameValues;
  std::vector<std::pair<QStringList, QVariantList>> prefixes;  // before key i: equal in keys 0..i-1
  for (const SortKey& key : keys_) {
    prefixes.push_back({same, sameValues});
    const QVariant value = keyValue(key, values);
    if (value.isNull()) {
      same << key.expression + QStringLiteral(" IS NULL");
    } else {
      same << key.expression +
                  (value.typeId() == QMetaType::QString ? QStringLiteral(" = CAST(? AS TEXT)") : QStringLiteral(" = ?"));
      sameValues << value;
    }
  }
  if (inclusive) parts.push_back({same.join(QStringLiteral(" AND ")), sameValues, keys_.size()});
  for (size_t i = keys_.size(); i-- > 0;) {
    const SortKey& key = keys_[i];
    const QVariant value = keyValue(key, values);
    const bool descending = key.descending != backwards;
    const auto add = [&](const QString& later, const QVariantList& laterValues) {
      const QStringList conditions = QStringList(prefixes[i].first) << later;
      parts.push_back({conditions.join(QStringLiteral(" AND ")), QVariantList(prefixes[i].second) << laterValues, i});
    };
    if (!descending) {
      if (value.isNull())
        add(key.expression + QStringLiteral(" IS NOT NULL"), {});
      else
        add(key.expression + QStringLiteral(" > ?"), {value});
    } else if (!value.isNull()) {
      add(key.expression + QStringLiteral(" < ?"), {value});
      add(key.expression + QStringLiteral(" IS NULL"), {});
    }
  }
  return parts;
}

QString PagedQuery::partText(const Part& part, bool backwards) const {
  const QString order = orderBy(backwards, part.firstKey);
  return QStringLiteral("SELECT * FROM (%1) AS listed%2%3 LIMIT ?")
      .arg(query_.rows, part.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + part.where,
           order.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + order);
}

QString PagedQuery::firstPageText() const { return partText({}, false); }

QList<QVariantList> PagedQuery::readPart(const Part& part, bool backwards, int count) {
  Statement page(connection_, partText(part, backwards));
  QVariantList values = bound_;
  values << part.values << count;
  page.bindAll(values);
  QList<QVariantList> rows;
  while (page.step()) {
    QVariantList row;
    for (int c = 0; c < page.columnCount(); ++c) row << page.value(c);
    rows << row;
  }
  return rows;
}

// `count` rows from the boundary's order values on (none: from the start),
// equal rows of a distinct list once.
QList<QVariantList> PagedQuery::read(const QVariantList& boundary, bool backwards, bool inclusive, int count) {
  const bool distinct = query_.kind == SortedQuery::Kind::Distinct;
  QList<QVariantList> result;
  std::vector<Part> parts = boundary.isEmpty() ? std::vector<Part>{Part{}} : partsFrom(boundary, backwards, inclusive);
  for (size_t p = 0; p < parts.size() && result.size() < count;) {
    const int wanted = count - int(result.size());
    const QList<QVariantList> rows = readPart(parts[p], backwards, wanted);
    for (const QVariantList& row : rows)
      if (!distinct || result.isEmpty() || !sameRow(result.last(), row)) result << row;
    if (rows.size() < wanted) {
      ++p;
    } else if (result.size() < count) {  // equal rows were dropped: go on after the last one read
      parts = partsFrom(orderValues(rows.last()), backwards, false);
      p = 0;
    }
  }
  if (backwards) std::reverse(result.begin(), result.end());
  return result;
}

QList<QVariantList> PagedQuery::first(int count) { return read({}, false, false, count); }

QList<QVariantList> PagedQuery::after(const QVariantList& row, int count) {
  return read(orderValues(row), false, false, count);
}

QList<QVariantList> PagedQuery::before(const QVariantList& row, int count) {
  return read(orderValues(row), true, false, count);
}

QList<QVariantList> PagedQuery::from(const QVariantList& start, int count) { return read(start, false, true, count); }

ListShape PagedQuery::walk(int pageSize, const std::atomic<bool>& stop) {
  ListShape shape;
  if (query_.kind == SortedQuery::Kind::Computed) {
    Statement all(connection_, QStringLiteral("SELECT * FROM (%1) AS listed").arg(query_.rows));
    all.bindAll(bound_);
    while (!stop && all.step()) {
      QVariantList row;
      for (int c = 0; c < all.columnCount(); ++c) row << all.value(c);
      shape.computed << row;
    }
    shape.rows = int(shape.computed.size());
    return shape;
  }
  // Only what orders the rows is read.
  QStringList ordering;
  for (const SortTerm& term : order_) ordering << quoted(term.column);
  SortedQuery keys{QStringLiteral("SELECT %1 FROM (%2) AS walked").arg(ordering.join(QStringLiteral(", ")), query_.rows),
                   order_, bound_, {}, query_.kind == SortedQuery::Kind::Keyed ? SortedQuery::Kind::Plain : query_.kind, {}};
  PagedQuery walked(connection_, keys);
  QList<QVariantList> chunk = walked.first(kWalkChunk);
  while (!chunk.isEmpty() && !stop) {
    for (const QVariantList& row : chunk) {
      if (shape.rows % pageSize == 0) shape.pageStarts.push_back(row);
      ++shape.rows;
    }
    if (chunk.size() < kWalkChunk) break;
    chunk = walked.after(chunk.last(), kWalkChunk);
  }
  return shape;
}

int PagedQuery::rowCount() {
  const std::atomic<bool> never{false};
  return walk(INT_MAX, never).rows;
}
