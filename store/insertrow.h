#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;
class Statement;
struct Table;

// An INSERT of the named (quoted) columns, each a bound value; stepped through
// insertedKey, it yields the new row's key on either engine.
QString insertSql(Connection& connection, const Table& table, const QStringList& quotedColumns);
qint64 insertedKey(Connection& connection, Statement& boundInsert);

// A row as it is stored now, every column in the table's order (the key
// column included when the table has one): what a write left, whatever other
// programs changed in columns this one did not touch.
QVariantList storedRow(Connection& connection, const Table& table, qint64 rowKey);
