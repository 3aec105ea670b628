#include "store/recordset.h"

#include <QStringList>
#include <vector>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/insertrow.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

struct RecordRow {
  QVariantList values;
  QVariantList loaded;
  std::vector<bool> changed;
  qint64 rowid = 0;
  bool pending = false;
};

struct RecordSet::Data {
  Connection* connection = nullptr;
  const Table* table = nullptr;  // null: read-only query
  QStringList fields;
  std::vector<RecordRow> rows;
  int current = 0;

  RecordRow& row() {
    if (current < 0 || current >= int(rows.size()))
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: there is no current record."));
    return rows[size_t(current)];
  }

  void load(Statement& statement, bool withRowid) {
    const int first = withRowid ? 1 : 0;
    while (statement.step()) {
      RecordRow row;
      if (withRowid) row.rowid = statement.value(0).toLongLong();
      for (int c = first; c < statement.columnCount(); ++c) row.values << statement.value(c);
      row.loaded = row.values;
      row.changed.assign(size_t(row.values.size()), false);
      rows.push_back(std::move(row));
    }
  }
};

namespace {

QString quoted(const QString& identifier) { return '"' + identifier + '"'; }

}  // namespace

RecordSet::RecordSet() = default;
RecordSet::~RecordSet() = default;
RecordSet::RecordSet(RecordSet&&) noexcept = default;
RecordSet& RecordSet::operator=(RecordSet&&) noexcept = default;

RecordSet RecordSet::openTable(Connection& connection, const QString& table) {
  return openWhere(connection, table, QStringLiteral("1 = 1"), {});
}

RecordSet RecordSet::openWhere(Connection& connection, const QString& table, const QString& condition,
                               const QVariantList& parameters) {
  RecordSet rs = openForAppend(connection, table);
  const Table& opened = *rs.d_->table;
  Statement statement(connection, QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                                      .arg(SqlDialect::keyAndColumns(opened), quoted(opened.name), condition,
                                           quoted(SqlDialect::rowKey(opened))));
  statement.bindAll(parameters);
  rs.d_->load(statement, true);
  return rs;
}

RecordSet RecordSet::openForAppend(Connection& connection, const QString& table) {
  RecordSet rs;
  rs.d_ = std::make_shared<Data>();
  rs.d_->connection = &connection;
  rs.d_->table = &tableNamed(table);
  for (const Column& c : rs.d_->table->columns) rs.d_->fields << c.name;
  return rs;
}

RecordSet RecordSet::openQuery(Connection& connection, const QString& sql, const QVariantList& parameters) {
  RecordSet rs;
  rs.d_ = std::make_shared<Data>();
  rs.d_->connection = &connection;
  Statement statement(connection, sql);
  statement.bindAll(parameters);
  for (int c = 0; c < statement.columnCount(); ++c) rs.d_->fields << statement.columnName(c);
  rs.d_->load(statement, false);
  return rs;
}

bool RecordSet::isOpen() const { return d_ != nullptr; }

void RecordSet::close() { d_.reset(); }

RecordSet::Data& RecordSet::data() const {
  if (!d_) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the record set is closed."));
  return *d_;
}

Connection& RecordSet::connection() const { return *data().connection; }

QString RecordSet::tableName() const { return data().table ? data().table->name : QString(); }

int RecordSet::fieldCount() const { return int(data().fields.size()); }

QString RecordSet::fieldName(int column) const { return data().fields.value(column); }

int RecordSet::indexOf(const QString& column) const {
  const QStringList& fields = data().fields;
  for (int i = 0; i < fields.size(); ++i)
    if (fields[i].compare(column, Qt::CaseInsensitive) == 0) return i;
  throw DbError(DbErrorKind::Other, QStringLiteral("Database error: no field named %1.").arg(column));
}

void RecordSet::addNew() {
  Data& d = data();
  if (!d.table) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: this list cannot take new rows."));
  RecordRow row;
  for (const Column& c : d.table->columns) row.values << (c.zeroWhenUnused ? QVariant(qint64(0)) : QVariant());
  row.loaded = row.values;
  row.changed.assign(size_t(row.values.size()), false);
  row.pending = true;
  d.rows.push_back(std::move(row));
  d.current = int(d.rows.size()) - 1;
}

QVariant RecordSet::value(int column) const {
  RecordRow& row = data().row();
  if (column < 0 || column >= row.values.size())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: no field at position %1.").arg(column));
  return row.values[column];
}

QVariant RecordSet::value(const QString& column) const { return value(indexOf(column)); }

void RecordSet::setValue(int column, const QVariant& value) {
  Data& d = data();
  if (!d.table) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: this list is read-only."));
  RecordRow& row = d.row();
  if (column < 0 || column >= row.values.size())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: no field at position %1.").arg(column));
  row.values[column] = d.table->columns[size_t(column)].toStored(value);
  row.changed[size_t(column)] = true;
}

void RecordSet::setValue(const QString& column, const QVariant& value) { setValue(indexOf(column), value); }

void RecordSet::setValues(const QVariantHash& byColumn) {
  for (auto it = byColumn.begin(); it != byColumn.end(); ++it) setValue(it.key(), it.value());
}

QVariantHash RecordSet::currentRow() const {
  const Data& d = data();
  QVariantHash row;
  for (int c = 0; c < d.fields.size(); ++c) row.insert(d.fields[c], value(c));
  return row;
}

bool RecordSet::isPending() const { return data().row().pending; }

void RecordSet::updateBatch(ConflictCheck check) {
  Data& d = data();
  if (!d.table) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: this list is read-only."));
  RecordRow& row = d.row();
  const RecordRow before = row;
  const Table& table = *d.table;

  QStringList names;
  QVariantList values;
  for (int c = 0; c < row.values.size(); ++c) {
    if (!row.changed[size_t(c)]) continue;
    names << quoted(table.columns[size_t(c)].name);
    values << row.values[c];
  }

  try {
    LoggedWrite logged(*d.connection);
    if (row.pending) {
      Statement insert(*d.connection, insertSql(*d.connection, table, names));
      insert.bindAll(values);
      row.rowid = insertedKey(*d.connection, insert);
      if (table.columns.front().type == ColumnType::Key) row.values[0] = row.rowid;
      logNewRow(*d.connection, table, row.rowid, row.values);
      row.pending = false;
    } else if (!names.isEmpty()) {
      // Optimistic check: every column we change must still hold what we loaded.
      QStringList sets, checks;
      QVariantList parameters = values;
      parameters << row.rowid;
      for (int c = 0; c < row.values.size(); ++c) {
        const bool changed = row.changed[size_t(c)];
        if (changed) sets << quoted(table.columns[size_t(c)].name) + " = ?";
        if (!changed && (check == ConflictCheck::ChangedColumns || table.columns[size_t(c)].type == ColumnType::Key))
          continue;
        checks << d.connection->dialect().sameAsParameter(quoted(table.columns[size_t(c)].name));
        parameters << row.loaded[c];
      }
      Statement update(*d.connection, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? AND %4")
                                           .arg(quoted(table.name), sets.join(", "), quoted(SqlDialect::rowKey(table)),
                                                checks.join(" AND ")));
      update.bindAll(parameters);
      update.step();
      if (d.connection->changedRows() != 1)
        throw DbError(DbErrorKind::Conflict,
                      QStringLiteral("This record was changed in another window after it was opened here, so "
                                     "nothing was saved. Close this form and open it again to see the current data."));
      std::vector<ColumnChange> changes;
      for (int c = 0; c < row.values.size(); ++c)
        if (row.changed[size_t(c)]) changes.push_back({table.columns[size_t(c)].name, row.loaded[c], row.values[c]});
      logChangedRow(*d.connection, table, row.rowid, storedRow(*d.connection, table, row.rowid), changes);
    }
    logged.done();
  } catch (...) {
    row = before;  // neither the change nor its entry was stored
    throw;
  }
  row.loaded = row.values;
  row.changed.assign(row.changed.size(), false);

  if (d.connection->inTransaction()) {
    std::weak_ptr<Data> weak = d_;
    const int index = d.current;
    d.connection->onRollback([weak, index, before] {
      if (auto data = weak.lock()) data->rows[size_t(index)] = before;
    });
  }
}

void RecordSet::moveFirst() { data().current = 0; }

void RecordSet::moveNext() {
  Data& d = data();
  if (d.current < int(d.rows.size())) ++d.current;
}

void RecordSet::moveLast() {
  Data& d = data();
  d.current = d.rows.empty() ? 0 : int(d.rows.size()) - 1;
}

void RecordSet::moveTo(int absolutePosition) {
  Data& d = data();
  d.current = qBound(0, absolutePosition - 1, int(d.rows.size()));
}

bool RecordSet::eof() const {
  const Data& d = data();
  return d.current >= int(d.rows.size());
}

int RecordSet::absolutePosition() const { return eof() ? 0 : data().current + 1; }

int RecordSet::recordCount() const { return int(data().rows.size()); }
