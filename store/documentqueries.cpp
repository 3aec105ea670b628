#include "store/documentqueries.h"

#include "store/connection.h"
#include "store/schema.h"
#include "store/statement.h"

namespace documentqueries {

namespace {

bool exists(Connection& connection, const QString& table, const QString& column, const QString& number) {
  Statement statement(connection, QStringLiteral("SELECT 1 FROM \"%1\" WHERE %2 LIMIT 1").arg(table, numberIs(column)));
  statement.bind(1, number);
  return statement.step();
}

}  // namespace

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

namespace {
// NOT EXISTS rather than NOT IN: a quotation without an inquiry number must
// not empty the whole list.
const QString kUnquoted = QStringLiteral(
    "i.\"inqnum\" IS NOT NULL AND NOT EXISTS (SELECT 1 FROM \"tquote\" q WHERE lower(trim(q.\"inqnum\")) = "
    "lower(trim(i.\"inqnum\")))");
}  // namespace

QString unquotedInquiries() {
  return QStringLiteral(
             "SELECT DISTINCT i.\"inqnum\" FROM \"tinquiry\" i WHERE i.\"inqnum\" > ?1 AND %1 ORDER BY i.\"inqnum\" "
             "LIMIT ?2")
      .arg(kUnquoted);
}

bool isUnquotedInquiry(Connection& connection, const QString& number) {
  Statement statement(connection, QStringLiteral("SELECT 1 FROM \"tinquiry\" i WHERE %1 AND lower(trim(i.\"inqnum\")) = "
                                                 "lower(trim(?)) LIMIT 1")
                                      .arg(kUnquoted));
  statement.bind(1, number);
  return statement.step();
}

bool inquiryExists(Connection& connection, const QString& number) {
  return exists(connection, QStringLiteral("tinquiry"), QStringLiteral("inqnum"), number);
}

bool quotationExists(Connection& connection, const QString& number) {
  return exists(connection, QStringLiteral("tquote"), QStringLiteral("quotenum"), number);
}

QString numberIs(const QString& column) {
  return QStringLiteral("lower(trim(\"%1\")) = lower(trim(?))").arg(column);
}

}  // namespace documentqueries
