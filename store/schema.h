#pragma once

#include <QString>
#include <QVariant>
#include <vector>


enum class ColumnType { Key, Text, Int16, Int32, Date, Time };

struct Column {
  QString name;
  ColumnType type;
  bool zeroWhenUnused = false;  // quantities: unused categories hold 0, never null
  int maxLength = 0;            // text: the most characters (code points) it holds
  bool yesOrNo = false;         // a status: "yes", " No " and the like are stored in capitals

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
// The most characters a text column holds; a box typed into it holds no more.
int textLimit(const QString& table, const QString& column);
// A column of that name in any of the tables holds text.
bool isTextColumn(const QString& column);

// Kept in the database; raised whenever its layout changes.
inline constexpr int kSchemaVersion = 8;
