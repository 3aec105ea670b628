#pragma once

#include <QString>
#include <QVariant>
#include <vector>

class Connection;

enum class ColumnType { Key, Text, Int16, Int32, Date, Time };

struct Column {
  QString name;
  ColumnType type;
  bool zeroWhenUnused = false;  // quantities: unused categories hold 0, never null

  // The value as stored, or a DbError(BadValue) naming the column and why.
  QVariant toStored(const QVariant& value) const;
};

struct Table {
  QString name;
  std::vector<Column> columns;

  int columnIndex(const QString& column) const;  // -1 when absent
  const Column& column(const QString& column) const;
};

// The ten tables in their binding column order.
const std::vector<Table>& allTables();
const Table& tableNamed(const QString& name);

void createSchema(Connection& connection);
