#include "store/changelog.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/ownsignins.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

// The column that names a row's document, per table.
QString numberColumn(const QString& table) {
  static const QHash<QString, QString> columns = {
      {"tinquiry", "inqnum"},   {"titeminq", "inqnum"},    {"titemdescom", "inqnum"}, {"tquote", "quotenum"},
      {"tpo", "ponum"},         {"tinvoice", "invoicenum"}, {"taddressbook", "inqnum"},
  };
  return columns.value(table);
}

// The time of an entry, to the second, formatted once a second: a bulk load
// writes thousands of entries in each, and the local time costs a look at the zone file.
QString entryTime() {
  thread_local qint64 second = -1;
  thread_local QString text;
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  if (now != second) {
    second = now;
    text = QDateTime::fromSecsSinceEpoch(now).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  }
  return text;
}

constexpr char kHiddenBefore[] = "(hidden)";
constexpr char kHiddenAfter[] = "changed";

}  // namespace

bool isLogged(const Table& table) { return table.name != "tloginwork" && table.name != "tlogineditdata"; }

QStringList changeLogColumns() {
  return {"pkeychangelog", "changedat", "login", "source", "tablename", "rowkey",
          "number",        "kind",      "summary", "changes", "seal",     "rowdigest"};
}

QStringList loggedTables() {
  QStringList names;
  for (const Table& table : allTables())
    if (isLogged(table)) names << table.name;
  return names;
}

namespace {

std::vector<ColumnChange> filledColumns(const Table& table, const QVariantList& values) {
  std::vector<ColumnChange> filled;
  filled.reserve(values.size());
  for (int c = 0; c < values.size() && c < int(table.columns.size()); ++c)
    if (table.columns[size_t(c)].type != ColumnType::Key && !values[c].isNull() && !values[c].toString().isEmpty())
      filled.push_back({table.columns[size_t(c)].name, {}, values[c]});
  return filled;
}

ChangeEntry makeEntry(const ChangeAuthor& author, const Table& table, qint64 rowKey, const QVariantList& rowValues,
                      const char* kind, const std::vector<ColumnChange>& changes) {
  ChangeEntry entry{entryTime(),
                    author.login,
                    author.source,
                    table.name,
                    rowKey,
                    {},
                    QString::fromLatin1(kind),
                    QStringLiteral(""),
                    {},
                    rowDigest(table, rowValues)};
  const int numberAt = table.columnIndex(numberColumn(table.name));
  if (numberAt >= 0) entry.number = rowValues.value(numberAt);
  const bool newRow = entry.kind == QLatin1String(kNewRow);
  const auto secret = [&table](const ColumnChange& change) { return isSecretColumn(table, change.column); };
  if (std::none_of(changes.begin(), changes.end(), secret)) {  // as good as every row: no copy of its values
    entry.changes = encodeChanges(changes, newRow);
    return entry;
  }
  std::vector<ColumnChange> shown;
  for (const ColumnChange& change : changes)
    shown.push_back(secret(change)
                        ? ColumnChange{change.column, QString::fromLatin1(kHiddenBefore), QString::fromLatin1(kHiddenAfter)}
                        : change);
  entry.changes = encodeChanges(shown, newRow);
  return entry;
}

// Called after the change itself, so this connection already holds the write
// lock: no other program can append between reading the last seal and writing.
void append(Connection& connection, const ChangeEntry& entry) {
  std::optional<Connection::LogHead>& head = connection.logHead();
  if (!head) {
    Statement last(connection, QStringLiteral("SELECT pkeychangelog, seal FROM tchangelog ORDER BY pkeychangelog DESC LIMIT 1"));
    head = last.step() ? Connection::LogHead{last.value(0).toLongLong(), last.value(1).toString()} : Connection::LogHead{};
  }
  const qint64 key = head->key + 1;  // no gaps: a gap is how a removal shows
  const QString seal = entry.seal(head->seal);
  static const QString sql = QStringLiteral("INSERT INTO tchangelog (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                .arg(changeLogColumns().join(QStringLiteral(", ")));
  Statement& insert = connection.cachedStatement(sql);
  insert.bindAll({key, entry.changedAt, entry.login, entry.source, entry.table, entry.rowKey, entry.number, entry.kind,
                  entry.summary, entry.changes, seal, entry.rowDigest});
  insert.step();
  insert.reset();
  head = Connection::LogHead{key, seal};
}

ChangeAuthor authorOf(Connection& connection) {
  ChangeAuthor author = connection.author();
  if (author.login.isEmpty()) author.login = currentLoginName(connection);
  return author;
}

}  // namespace

// Outside a transaction the write gets its own, which holds the write lock
// from the start; inside one, a savepoint takes back the change and its entry
// alone and leaves the transaction usable.
LoggedWrite::LoggedWrite(Connection& connection) : connection_(connection), ownTransaction_(!connection.inTransaction()) {
  if (ownTransaction_)
    connection_.begin();
  else
    connection_.execute(QStringLiteral("SAVEPOINT logged_write"));
}

LoggedWrite::~LoggedWrite() {
  if (done_) return;
  if (ownTransaction_) {
    connection_.rollback();
    return;
  }
  connection_.logHead().reset();  // the entry, if any, is taken back too
  try {
    connection_.execute(QStringLiteral("ROLLBACK TO SAVEPOINT logged_write"));
    connection_.execute(QStringLiteral("RELEASE SAVEPOINT logged_write"));
  } catch (const DbError&) {
    // A failed write may have ended the transaction already; nothing is left to take back.
  }
}

void LoggedWrite::done() {
  if (ownTransaction_)
    connection_.commit();
  else
    connection_.execute(QStringLiteral("RELEASE SAVEPOINT logged_write"));
  done_ = true;
}

void createChangeLog(Connection& connection) {
  const SqlDialect& dialect = connection.dialect();
  connection.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS tchangelog (%1, changedat %2 NOT NULL, login %2 NOT NULL, "
                                    "source %2 NOT NULL, tablename %2 NOT NULL, rowkey BIGINT NOT NULL, number %2, "
                                    "kind %2 NOT NULL CHECK (kind IN ('NEW', 'CHANGED')), summary %2 NOT NULL, "
                                    "changes %2 NOT NULL, seal %2 NOT NULL, rowdigest %2)")
                         .arg(dialect.changeLogKeyDefinition(), dialect.textType()));
  connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_tchangelog_number ON tchangelog (lower(trim(number)))"));
  createChangeLogRowIndex(connection);
  for (const char* event : {"UPDATE", "DELETE"})
    for (const QString& statement :
         dialect.createRefusal(QStringLiteral("tchangelog_no_%1").arg(QString::fromLatin1(event).toLower()),
                               QLatin1String(event), QStringLiteral("tchangelog"),
                               QStringLiteral("the change log cannot be changed")))
      connection.execute(statement);
  for (const QString& statement : dialect.createChangeLogHighWater()) connection.execute(statement);
}

// What the check compares each row with, read from the index alone: its
// entries in order, their kinds and the digest the last one left.
void createChangeLogRowIndex(Connection& connection) {
  connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_tchangelog_rows ON tchangelog (tablename, rowkey, "
                                    "pkeychangelog, kind, rowdigest)"));
}

void addRowDigestsToChangeLog(Connection& connection) {
  connection.execute(QStringLiteral("ALTER TABLE tchangelog ADD COLUMN rowdigest %1").arg(connection.dialect().textType()));
  connection.execute(QStringLiteral("DROP INDEX IF EXISTS ix_tchangelog_row"));
  createChangeLogRowIndex(connection);
}

void logRowsWithoutEntries(Connection& connection) {
  const ChangeAuthor upgrade{QStringLiteral("vantora"), QStringLiteral("upgrade to data version %1").arg(kSchemaVersion)};
  for (const Table& table : allTables()) {
    if (!isLogged(table)) continue;
    const QString key = SqlDialect::rowKey(table);
    Statement unlogged(connection, QStringLiteral("SELECT %1 FROM \"%2\" t WHERE NOT EXISTS (SELECT 1 FROM tchangelog c "
                                                  "WHERE c.tablename = '%2' AND c.rowkey = t.\"%3\") ORDER BY t.\"%3\"")
                                       .arg(SqlDialect::keyAndColumns(table), table.name, key));
    std::vector<std::pair<qint64, QVariantList>> rows;
    while (unlogged.step()) {
      QVariantList values;
      for (int c = 1; c < unlogged.columnCount(); ++c) values << unlogged.value(c);
      rows.emplace_back(unlogged.value(0).toLongLong(), values);
    }
    for (const auto& [rowKey, values] : rows)
      append(connection, makeEntry(upgrade, table, rowKey, values, kNewRow, filledColumns(table, values)));
  }
}

#ifdef VANTORA_BENCH
namespace {
bool benchmarkWithoutLog = false;
}
void switchChangeLogOffForBenchmark(bool off) { benchmarkWithoutLog = off; }
#else
constexpr bool benchmarkWithoutLog = false;
#endif

void logNewRow(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& values) {
  if (!isLogged(table) || benchmarkWithoutLog) return;
  append(connection, makeEntry(authorOf(connection), table, rowKey, values, kNewRow, filledColumns(table, values)));
}

void logChangedRow(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& storedRow,
                   const std::vector<ColumnChange>& changes) {
  if (!isLogged(table) || benchmarkWithoutLog) return;
  std::vector<ColumnChange> real;
  for (const ColumnChange& change : changes)
    if (change.before.isNull() != change.after.isNull() || change.before.toString() != change.after.toString())
      real.push_back(change);
  if (!real.empty()) append(connection, makeEntry(authorOf(connection), table, rowKey, storedRow, kChangedRow, real));
}
