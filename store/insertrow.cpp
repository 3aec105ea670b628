#include "store/insertrow.h"

#include "store/connection.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

QString insertSql(Connection& connection, const Table& table, const QStringList& quotedColumns) {
  const QString into = '"' + table.name + '"';
  const QString rows = quotedColumns.isEmpty()
                           ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(into)
                           : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(into, quotedColumns.join(QStringLiteral(", ")),
                                      QStringList(quotedColumns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
  return rows + connection.dialect().returningKey(SqlDialect::rowKey(table));
}

qint64 insertedKey(Connection& connection, Statement& boundInsert) {
  return boundInsert.step() ? boundInsert.value(0).toLongLong() : connection.lastInsertId();
}

QVariantList storedRow(Connection& connection, const Table& table, qint64 rowKey) {
  Statement read(connection, QStringLiteral("SELECT %1 FROM \"%2\" WHERE \"%3\" = ?")
                                 .arg(SqlDialect::keyAndColumns(table), table.name, SqlDialect::rowKey(table)));
  read.bind(1, rowKey);
  QVariantList values;
  if (read.step())
    for (int c = 1; c < read.columnCount(); ++c) values << read.value(c);
  return values;
}
