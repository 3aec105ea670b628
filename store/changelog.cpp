#include "store/changelog.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include "store/connection.h"
#include "store/dberror.h"
#include "store/logins.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

constexpr char kNewRow[] = "NEW";
constexpr char kChangedRow[] = "CHANGED";
constexpr char kHiddenBefore[] = "(hidden)";
constexpr char kHiddenAfter[] = "changed";

// The column that names a row's document, per table.
QString numberColumn(const QString& table) {
  static const QHash<QString, QString> columns = {
      {"tinquiry", "inqnum"},   {"titeminq", "inqnum"},    {"titemdescom", "inqnum"}, {"tquote", "quotenum"},
      {"tpo", "ponum"},         {"tinvoice", "invoicenum"}, {"taddressbook", "inqnum"},
  };
  return columns.value(table);
}

bool isLogged(const Table& table) { return table.name != "tloginwork" && table.name != "tlogineditdata"; }

}  // namespace

QStringList changeLogColumns() {
  return {"pkeychangelog", "changedat", "login", "source", "tablename", "rowkey", "number", "kind", "summary", "changes", "seal"};
}

QStringList loggedTables() {
  QStringList names;
  for (const Table& table : allTables())
    if (isLogged(table)) names << table.name;
  return names;
}

namespace {

bool isSecret(const Table& table, const QString& column) {
  return table.name == "tloginpassword" && column.endsWith(QStringLiteral("password"));
}

QJsonValue json(const QVariant& value) { return value.isNull() ? QJsonValue() : QJsonValue(value.toString()); }

QString shown(const QJsonValue& value) { return value.isNull() ? QStringLiteral("(empty)") : value.toString(); }

struct Entry {
  QString changedAt, login, source, table;
  qint64 rowKey = 0;
  QVariant number;
  QString kind;
  QString summary;
  QString changes;  // compact JSON: [[column, before, after], ...]

  QString seal(const QString& previous) const {
    const QStringList fields = {previous, changedAt, login, source, table, QString::number(rowKey),
                                number.isNull() ? QStringLiteral("\x01") : number.toString(), kind, summary, changes};
    return QString::fromLatin1(
        QCryptographicHash::hash(fields.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256).toHex());
  }
};

Entry makeEntry(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& rowValues,
                const char* kind, const std::vector<ColumnChange>& changes) {
  const ChangeAuthor& author = connection.author();
  Entry entry{QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
              author.login.isEmpty() ? currentLoginName(connection) : author.login,
              author.source,
              table.name,
              rowKey,
              {},
              QString::fromLatin1(kind),
              {},
              {}};
  const int numberAt = table.columnIndex(numberColumn(table.name));
  if (numberAt >= 0) entry.number = rowValues.value(numberAt);
  QJsonArray list;
  QStringList lines;
  for (const ColumnChange& change : changes) {
    const bool secret = isSecret(table, change.column);
    const QJsonValue before = secret ? QJsonValue(QString::fromLatin1(kHiddenBefore)) : json(change.before);
    const QJsonValue after = secret ? QJsonValue(QString::fromLatin1(kHiddenAfter)) : json(change.after);
    list.append(QJsonArray{change.column, before, after});
    lines << (entry.kind == kNewRow ? QStringLiteral("%1: %2").arg(change.column, shown(after))
                                    : QStringLiteral("%1: %2 -> %3").arg(change.column, shown(before), shown(after)));
  }
  entry.summary = lines.join(QStringLiteral("; "));
  entry.changes = QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
  return entry;
}

// Called after the change itself, so this connection already holds the write
// lock: no other program can append between reading the last seal and writing.
void append(Connection& connection, const Entry& entry) {
  Statement& last = connection.cachedStatement(
      QStringLiteral("SELECT pkeychangelog, seal FROM tchangelog ORDER BY pkeychangelog DESC LIMIT 1"));
  const bool first = !last.step();
  const qint64 key = first ? 1 : last.value(0).toLongLong() + 1;  // no gaps: a gap is how a removal shows
  const QString previous = first ? QString() : last.value(1).toString();
  last.reset();
  Statement& insert = connection.cachedStatement(
      QStringLiteral("INSERT INTO tchangelog (pkeychangelog, changedat, login, source, tablename, rowkey, number, kind, "
                     "summary, changes, seal) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  insert.bindAll({key, entry.changedAt, entry.login, entry.source, entry.table, entry.rowKey, entry.number, entry.kind,
                  entry.summary, entry.changes, entry.seal(previous)});
  insert.step();
  insert.reset();
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
                                    "changes %2 NOT NULL, seal %2 NOT NULL)")
                         .arg(dialect.changeLogKeyDefinition(), dialect.textType()));
  connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_tchangelog_number ON tchangelog (lower(trim(number)))"));
  connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_tchangelog_row ON tchangelog (tablename, rowkey)"));
  for (const char* event : {"UPDATE", "DELETE"})
    for (const QString& statement :
         dialect.createRefusal(QStringLiteral("tchangelog_no_%1").arg(QString::fromLatin1(event).toLower()),
                               QLatin1String(event), QStringLiteral("tchangelog"),
                               QStringLiteral("the change log cannot be changed")))
      connection.execute(statement);
  for (const QString& statement : dialect.createChangeLogHighWater()) connection.execute(statement);
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
  std::vector<ColumnChange> filled;
  for (int c = 0; c < values.size() && c < int(table.columns.size()); ++c)
    if (table.columns[size_t(c)].type != ColumnType::Key && !values[c].isNull() && !values[c].toString().isEmpty())
      filled.push_back({table.columns[size_t(c)].name, {}, values[c]});
  append(connection, makeEntry(connection, table, rowKey, values, kNewRow, filled));
}

void logChangedRow(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& rowValues,
                   const std::vector<ColumnChange>& changes) {
  if (!isLogged(table) || benchmarkWithoutLog) return;
  std::vector<ColumnChange> real;
  for (const ColumnChange& change : changes)
    if (change.before.isNull() != change.after.isNull() || change.before.toString() != change.after.toString())
      real.push_back(change);
  if (!real.empty()) append(connection, makeEntry(connection, table, rowKey, rowValues, kChangedRow, real));
}

SortedQuery changeLogQuery(const ChangeFilter& filter) {
  QStringList conditions = {QStringLiteral("1 = 1")};
  QVariantList parameters;
  if (!filter.number.trimmed().isEmpty()) {
    conditions << QStringLiteral("lower(trim(number)) = lower(trim(?))");
    parameters << filter.number;
  }
  for (const auto& [column, value] : {std::pair{"tablename", filter.table}, std::pair{"login", filter.login}})
    if (!value.isEmpty()) {
      conditions << QStringLiteral("%1 = ?").arg(QLatin1String(column));
      parameters << value;
    }
  if (filter.from.isValid()) {
    conditions << QStringLiteral("changedat >= ?");
    parameters << filter.from.toString(Qt::ISODate);
  }
  if (filter.to.isValid()) {
    conditions << QStringLiteral("changedat < ?");
    parameters << filter.to.addDays(1).toString(Qt::ISODate);
  }
  return {QStringLiteral("SELECT pkeychangelog, changedat, login, source, tablename, rowkey, number, kind, summary "
                         "FROM tchangelog WHERE %1")
              .arg(conditions.join(QStringLiteral(" AND "))),
          {{QStringLiteral("pkeychangelog"), true, false, true}},
          parameters,
          {},
          SortedQuery::Kind::Keyed};
}

namespace {

// Entries in key order, each sealed over the one before: the first break.
QStringList brokenChain(Connection& connection) {
  Statement entries(connection, QStringLiteral("SELECT pkeychangelog, changedat, login, source, tablename, rowkey, number, "
                                               "kind, summary, changes, seal FROM tchangelog ORDER BY pkeychangelog"));
  QString previous;
  qint64 lastKey = 0;
  while (entries.step()) {
    const qint64 key = entries.value(0).toLongLong();
    if (key != lastKey + 1)
      return {QStringLiteral("change log: entries %1 to %2 were removed").arg(lastKey + 1).arg(key - 1)};
    const Entry entry{entries.value(1).toString(), entries.value(2).toString(), entries.value(3).toString(),
                      entries.value(4).toString(),  entries.value(5).toLongLong(), entries.value(6),
                      entries.value(7).toString(), entries.value(8).toString(), entries.value(9).toString()};
    if (entry.seal(previous) != entries.value(10).toString())
      return {QStringLiteral("change log: entry %1 was altered").arg(key)};
    previous = entries.value(10).toString();
    lastKey = key;
  }
  Statement sequence(connection, connection.dialect().changeLogHighWater());
  if (sequence.step() && sequence.value(0).toLongLong() > lastKey)
    return {QStringLiteral("change log: the entries after %1 were removed").arg(lastKey)};
  return {};
}

QString text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

constexpr int kMostReported = 20;

// What the log last wrote into each column of one row.
using LoggedValues = QHash<QString, QString>;

// One logged table's rows against what the log last wrote into them. Both are
// read once, in key order, and walked side by side: a look-up per row would
// cost a server a round trip each.
void compareTable(Connection& connection, const Table& table, QStringList& problems) {
  const QString key = SqlDialect::rowKey(table);
  Statement rows(connection, QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"%3\"")
                                 .arg(SqlDialect::keyAndColumns(table), table.name, key));
  Statement entries(connection, QStringLiteral("SELECT rowkey, changes FROM tchangelog WHERE tablename = ? "
                                               "ORDER BY rowkey, pkeychangelog"));
  entries.bind(1, table.name);
  bool rowAhead = rows.step();
  bool entryAhead = entries.step();
  while (entryAhead && problems.size() < kMostReported) {
    const qint64 rowKey = entries.value(0).toLongLong();
    LoggedValues expected;
    for (; entryAhead && entries.value(0).toLongLong() == rowKey; entryAhead = entries.step())
      for (const QJsonValue& change : QJsonDocument::fromJson(entries.value(1).toString().toUtf8()).array()) {
        const QJsonArray fields = change.toArray();
        const QString column = fields.at(0).toString();
        if (!isSecret(table, column)) expected.insert(column, fields.at(2).isNull() ? QString() : fields.at(2).toString());
      }
    while (rowAhead && rows.value(0).toLongLong() < rowKey) rowAhead = rows.step();
    if (!rowAhead || rows.value(0).toLongLong() != rowKey) {
      problems << QStringLiteral("%1 row %2 was removed behind the program's back").arg(table.name).arg(rowKey);
      continue;
    }
    for (int c = 1; c < rows.columnCount(); ++c) {
      const auto logged = expected.constFind(rows.columnName(c));
      if (logged != expected.constEnd() && *logged != text(rows.value(c)))
        problems << QStringLiteral("%1 row %2: %3 holds \"%4\", but the change log last wrote \"%5\"")
                        .arg(table.name, QString::number(rowKey), rows.columnName(c), text(rows.value(c)), *logged);
    }
  }
}

QStringList valuesChangedBehindTheLog(Connection& connection) {
  QStringList problems;
  for (const Table& table : allTables())
    if (isLogged(table)) compareTable(connection, table, problems);
  return problems.mid(0, kMostReported);
}

}  // namespace

QStringList changeLogProblems(Connection& connection) {
  QStringList problems = brokenChain(connection);
  problems << valuesChangedBehindTheLog(connection);
  return problems;
}
