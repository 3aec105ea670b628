#include "store/rowwriter.h"

#include <QStringList>
#include <optional>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/insertrow.h"
#include "store/schema.h"
#include "store/statement.h"

RowWriter::RowWriter(Connection& connection, const QString& table)
    : connection_(connection), table_(tableNamed(table)), firstColumn_(table_.columns.front().type == ColumnType::Key ? 1 : 0) {
  QStringList names;
  for (size_t c = size_t(firstColumn_); c < table_.columns.size(); ++c) {
    positions_.insert(table_.columns[c].name, int(c) - firstColumn_);
    names << '"' + table_.columns[c].name + '"';
  }
  insert_ = std::make_unique<Statement>(connection, insertSql(connection, table_, names));
}

RowWriter::~RowWriter() = default;

void RowWriter::append(const QVariantList& valuesWithoutKey) {
  if (valuesWithoutKey.size() != int(table_.columns.size()) - firstColumn_)
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: wrong number of values for %1").arg(table_.name));
  QVariantList stored(firstColumn_);  // the key, once the row has it
  stored.reserve(valuesWithoutKey.size() + firstColumn_);
  for (int i = 0; i < valuesWithoutKey.size(); ++i) stored << table_.columns[size_t(i + firstColumn_)].toStored(valuesWithoutKey[i]);
  std::optional<LoggedWrite> logged;  // a caller's transaction takes back all or nothing
  if (!connection_.inTransaction()) logged.emplace(connection_);
  insert_->reset();
  for (int i = 0; i < valuesWithoutKey.size(); ++i) insert_->bind(i + 1, stored[i + firstColumn_]);
  const qint64 key = insertedKey(connection_, *insert_);
  if (firstColumn_ == 1) stored[0] = key;
  logNewRow(connection_, table_, key, stored);
  if (logged) logged->done();
}

void RowWriter::append(const QVariantHash& byColumn) {
  QVariantList values(qsizetype(table_.columns.size()) - firstColumn_);
  for (auto it = byColumn.begin(); it != byColumn.end(); ++it) {
    const int position = positions_.value(it.key(), -1);
    if (position < 0)
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: %1 has no column %2").arg(table_.name, it.key()));
    values[position] = it.value();
  }
  append(values);
}
