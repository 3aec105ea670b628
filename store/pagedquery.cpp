#include "store/pagedquery.h"

#include <algorithm>

#include "store/connection.h"
#include "store/dberror.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {
QString quoted(const QString& name) { return '"' + QString(name).replace('"', QStringLiteral("\"\"")) + '"'; }

QVariant highestKey(Connection& connection, const KeyMark& mark) {
  Statement highest(connection, QStringLiteral("SELECT coalesce(max(%1), 0) FROM %2").arg(quoted(mark.key), quoted(mark.table)));
  return highest.step() ? highest.value(0) : QVariant(0);
}
}  // namespace

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
  QStringList terms;
  for (const SortTerm& term : query.order) terms << connection.dialect().orderTerm(quoted(term.column), term.descending);
  auto statement = std::make_unique<Statement>(
      connection, QStringLiteral("SELECT * FROM (%1) AS listed ORDER BY %2").arg(query.rows, terms.join(QStringLiteral(", "))));
  statement->bindAll(asOf(query, takeKeySnapshot(connection)).parameters);
  return statement;
}

PagedQuery::PagedQuery(Connection& connection, SortedQuery query) : connection_(connection), query_(std::move(query)) {
  Statement probe(connection_, query_.rows);
  for (int c = 0; c < probe.columnCount(); ++c) columns_ << probe.columnName(c);
  for (const SortTerm& term : query_.order) {
    const int column = int(columns_.indexOf(term.column));
    if (column < 0)
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the list has no column %1 to sort by.").arg(term.column));
    order_.push_back(term);
    orderColumns_.push_back(column);
  }
  for (int column = 0; !query_.keyed && column < columns_.size(); ++column)
    if (std::find(orderColumns_.begin(), orderColumns_.end(), column) == orderColumns_.end()) {
      order_.push_back({columns_[column]});
      orderColumns_.push_back(column);
    }
  refresh();
}

void PagedQuery::refresh() {
  bound_ = query_.parameters;
  for (const KeyMark& mark : query_.marks) bound_ << highestKey(connection_, mark);
  counted_ = false;
}

int PagedQuery::rowCount() {
  if (!counted_) {
    Statement count(connection_, QStringLiteral("SELECT count(*) FROM (%1) AS listed").arg(query_.rows));
    count.bindAll(bound_);
    count_ = count.step() ? count.value(0).toInt() : 0;
    counted_ = true;
  }
  return count_;
}

QString PagedQuery::orderBy(bool backwards) const {
  QStringList terms;
  for (const SortTerm& term : order_)
    terms << connection_.dialect().orderTerm(quoted(term.column), term.descending != backwards);
  return terms.join(QStringLiteral(", "));
}

// The rows strictly after `row` in the list's order (or before it, reading
// backwards): later in the first term, or the same there and later in the
// second, and so on. Written flat, as a long nested condition would overflow
// the engine's parser. Nulls come first in ascending order, last in descending.
QString PagedQuery::following(const QVariantList& row, bool backwards, QVariantList& values) const {
  QStringList alternatives;
  QStringList sameSoFar;
  QVariantList sameValues;
  for (size_t i = 0; i < orderColumns_.size(); ++i) {
    const QString column = quoted(order_[i].column);
    const QVariant& value = row.value(orderColumns_[i]);
    const bool descending = order_[i].descending != backwards;
    QString later;
    QVariantList laterValues;
    if (value.isNull()) {
      later = descending ? QString() : column + QStringLiteral(" IS NOT NULL");
    } else {
      later = descending ? QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(column) : column + QStringLiteral(" > ?");
      laterValues << value;
    }
    if (!later.isEmpty()) {
      alternatives << QStringLiteral("(%1)").arg((QStringList(sameSoFar) << later).join(QStringLiteral(" AND ")));
      values << sameValues << laterValues;
    }
    sameSoFar << connection_.dialect().sameAsParameter(column);
    sameValues << value;
  }
  return alternatives.isEmpty() ? QStringLiteral("1 = 0") : alternatives.join(QStringLiteral(" OR "));
}

QList<QVariantList> PagedQuery::read(const QString& where, const QVariantList& boundary, bool backwards, int count,
                                     int offset) {
  Statement page(connection_, QStringLiteral("SELECT * FROM (%1) AS listed%2 ORDER BY %3 LIMIT ? OFFSET ?")
                                  .arg(query_.rows, where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where,
                                       orderBy(backwards)));
  QVariantList values = bound_;
  values << boundary << count << offset;
  page.bindAll(values);
  QList<QVariantList> result;
  while (page.step()) {
    QVariantList row;
    for (int c = 0; c < page.columnCount(); ++c) row << page.value(c);
    result << row;
  }
  if (backwards) std::reverse(result.begin(), result.end());
  return result;
}

QList<QVariantList> PagedQuery::first(int count) { return read({}, {}, false, count); }

QList<QVariantList> PagedQuery::last(int count) { return read({}, {}, true, count); }

QList<QVariantList> PagedQuery::after(const QVariantList& row, int count) {
  QVariantList values;
  const QString where = following(row, false, values);
  return read(where, values, false, count);
}

QList<QVariantList> PagedQuery::before(const QVariantList& row, int count) {
  QVariantList values;
  const QString where = following(row, true, values);
  return read(where, values, true, count);
}

QList<QVariantList> PagedQuery::at(int offset, int count) { return read({}, {}, false, count, offset); }
