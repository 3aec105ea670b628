#include "store/queries/documentqueries.h"

#include "store/queries/pagedquery.h"
#include "store/sqldialect.h"
#include "store/schema.h"
#include "store/statement.h"

namespace documentqueries {

QString distinctValuesOf(const QString& from, const QString& column, const QString& condition,
                         const std::function<QString(const QString&)>& ascending) {
  // The value after the folded and the exact text given: one index seek for
  // the same text in another letter case, one for the next folded text. A
  // column of a few values over many rows costs a few seeks, not a scan.
  const QString where = condition.isEmpty() ? QString() : condition + QStringLiteral(" AND ");
  const QString quoted = '"' + column + '"';
  const QString folded = QStringLiteral("lower(%1)").arg(quoted);
  const QString next = QStringLiteral(
                           "coalesce((SELECT %1 FROM %2 WHERE %3%4 = %6 AND %1 > %7 ORDER BY %5 LIMIT 1), "
                           "(SELECT %1 FROM %2 WHERE %3%4 > %6 ORDER BY %8, %5 LIMIT 1))")
                           .arg(quoted, from, where, folded, ascending(quoted));
  const auto step = [&](const QString& foldedAfter, const QString& after) {
    return QString(next).arg(foldedAfter, after, ascending(folded));
  };
  return QStringLiteral("WITH RECURSIVE v(value, n) AS (SELECT %1, 1 UNION ALL SELECT %2, v.n + 1 FROM v WHERE v.value IS "
                        "NOT NULL AND v.n < ?2) SELECT value FROM v WHERE value IS NOT NULL")
      .arg(step(QStringLiteral("?3"), QStringLiteral("?1")), step(QStringLiteral("lower(v.value)"), QStringLiteral("v.value")));
}

QString distinctValues(const QString& table, const QString& column, const SqlDialect& dialect) {
  tableNamed(table).column(column);  // refuses names that are not in the schema
  // Read off the list's index, whose terms the dialect wrote.
  return distinctValuesOf('"' + table + '"', column, {},
                          [&dialect](const QString& term) { return dialect.orderTerm(term, false); });
}

bool holdsValue(Connection& connection, const QString& table, const QString& column, const QString& value) {
  tableNamed(table).column(column);
  // Through the index of its drop-down list.
  Statement found(connection,
                  QStringLiteral("SELECT 1 FROM \"%1\" WHERE lower(\"%2\") = ? AND \"%2\" = CAST(? AS TEXT) LIMIT 1").arg(table, column));
  found.bind(1, foldedText(value));
  found.bind(2, value);
  return found.step();
}

QString numberIs(const QString& column) {
  return QStringLiteral("lower(trim(\"%1\")) = lower(trim(?))").arg(column);
}

}  // namespace documentqueries

QString openParentsList(Step step) {
  // Its index was made in the engine's own ascending order.
  return documentqueries::distinctValuesOf(QStringLiteral("topenparent"), QStringLiteral("number"),
                                           QStringLiteral("link = '%1'").arg(chainStep(step).key),
                                           [](const QString& term) { return term; });
}
