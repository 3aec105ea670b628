#include "store/documentqueries.h"

#include "store/schema.h"
#include "store/statement.h"

namespace documentqueries {

QString distinctValues(const QString& table, const QString& column) {
  tableNamed(table).column(column);  // refuses names that are not in the schema
  // One index seek per value: a column of a few makes over many rows costs a
  // few seeks, not a scan of every row.
  return QStringLiteral(
             "WITH RECURSIVE v(value, n) AS ("
             "SELECT (SELECT min(\"%2\") FROM \"%1\" WHERE \"%2\" > ?1), 1 "
             "UNION ALL SELECT (SELECT min(\"%2\") FROM \"%1\" WHERE \"%2\" > v.value), v.n + 1 "
             "FROM v WHERE v.value IS NOT NULL AND v.n < ?2) "
             "SELECT value FROM v WHERE value IS NOT NULL")
      .arg(table, column);
}

bool holdsValue(Connection& connection, const QString& table, const QString& column, const QString& value) {
  tableNamed(table).column(column);
  Statement found(connection, QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"%2\" = ? LIMIT 1").arg(table, column));
  found.bind(1, value);
  return found.step();
}

QString numberIs(const QString& column) {
  return QStringLiteral("lower(trim(\"%1\")) = lower(trim(?))").arg(column);
}

}  // namespace documentqueries
