#include "store/rowwriter.h"

#include <QStringList>

#include "store/connection.h"
#include "store/dberror.h"
#include "store/schema.h"
#include "store/statement.h"

RowWriter::RowWriter(Connection& connection, const QString& table)
    : table_(tableNamed(table)), firstColumn_(table_.columns.front().type == ColumnType::Key ? 1 : 0) {
  QStringList names;
  for (size_t c = size_t(firstColumn_); c < table_.columns.size(); ++c) names << '"' + table_.columns[c].name + '"';
  insert_ = std::make_unique<Statement>(
      connection, QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                      .arg(table_.name, names.join(", "), QStringList(names.size(), QStringLiteral("?")).join(", ")));
}

RowWriter::~RowWriter() = default;

void RowWriter::append(const QVariantList& valuesWithoutKey) {
  if (valuesWithoutKey.size() != int(table_.columns.size()) - firstColumn_)
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: wrong number of values for %1").arg(table_.name));
  insert_->reset();
  for (int i = 0; i < valuesWithoutKey.size(); ++i)
    insert_->bind(i + 1, table_.columns[size_t(i + firstColumn_)].toStored(valuesWithoutKey[i]));
  insert_->step();
}

void RowWriter::append(const QVariantHash& byColumn) {
  for (auto it = byColumn.keyBegin(); it != byColumn.keyEnd(); ++it) table_.column(*it);  // no misspelt column
  QVariantList values;
  for (size_t c = size_t(firstColumn_); c < table_.columns.size(); ++c) values << byColumn.value(table_.columns[c].name);
  append(values);
}
