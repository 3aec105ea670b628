#pragma once

#include <QString>
#include <QStringList>

class Connection;
class Statement;
struct Table;

// An INSERT of the named (quoted) columns, each a bound value; stepped through
// insertedKey, it yields the new row's key on either engine.
QString insertSql(Connection& connection, const Table& table, const QStringList& quotedColumns);
qint64 insertedKey(Connection& connection, Statement& boundInsert);
