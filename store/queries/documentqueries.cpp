#include "store/queries/documentqueries.h"

#include "store/queries/pagedquery.h"
#include "store/schema.h"
#include "store/statement.h"

namespace documentqueries {

QString distinctValuesOf(const QString& from, const QString& column, const QString& condition) {
  // The value after the folded and the exact text given: one index seek for
  // the same text in another letter case, one for the next folded text. A
  // column of a few values over many rows costs a few seeks, not a scan.
  const QString where = condition.isEmpty() ? QString() : condition + QStringLiteral(" AND ");
  const QString next = QStringLiteral(
                           "coalesce((SELECT %1 FROM %2 WHERE %3lower(%1) = %4 AND %1 > %5 ORDER BY %1 LIMIT 1), "
                           "(SELECT %1 FROM %2 WHERE %3lower(%1) > %4 ORDER BY lower(%1), %1 LIMIT 1))")
                           .arg('"' + column + '"', from, where);
  return QStringLiteral("WITH RECURSIVE v(value, n) AS (SELECT %1, 1 UNION ALL SELECT %2, v.n + 1 FROM v WHERE v.value IS "
                        "NOT NULL AND v.n < ?2) SELECT value FROM v WHERE value IS NOT NULL")
      .arg(next.arg(QStringLiteral("?3"), QStringLiteral("?1")), next.arg(QStringLiteral("lower(v.value)"), QStringLiteral("v.value")));
}

QString distinctValues(const QString& table, const QString& column) {
  tableNamed(table).column(column);  // refuses names that are not in the schema
  return distinctValuesOf('"' + table + '"', column, {});
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
  return documentqueries::distinctValuesOf(QStringLiteral("topenparent"), QStringLiteral("number"),
                                           QStringLiteral("link = '%1'").arg(chainStep(step).key));
}
