#include "store/layout/changelogcheck.h"

#include <QHash>
#include <QSet>
#include <limits>
#include <optional>

#include "store/changelog.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

constexpr int kMostReported = 20;
constexpr qint64 kPastTheEnd = std::numeric_limits<qint64>::max();

void report(QStringList& problems, const QString& line) {
  if (problems.size() < kMostReported) problems << line;
}

QString text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

QString when(const Witness& witness) {
  return QStringLiteral("%1 (%2)").arg(witness.when.toString(QStringLiteral("dd/MM/yyyy HH:mm")), witness.what);
}

const QString kEntryColumns = QStringLiteral(
    "pkeychangelog, changedat, login, source, tablename, rowkey, number, kind, summary, changes, seal, rowdigest");
constexpr int kTablePlace = 4;
constexpr int kChangesPlace = 9;
constexpr int kSealPlace = 10;

ChangeEntry entryAt(const Statement& row) {
  return {row.value(1).toString(), row.value(2).toString(), row.value(3).toString(), row.value(4).toString(),
          row.value(5).toLongLong(), row.value(6), row.value(7).toString(), row.value(8).toString(),
          row.value(9).toString(), text(row.value(11))};
}

// Each entry sealed over the one before, in key order without gaps, and the
// witnessed ones as they were witnessed.
struct ChainWalk {
  qint64 lastKey = 0;
  QByteArray lastSeal;
  bool sound = true;
  QSet<QString> tablesWithFirstFormEntries;
};

ChainWalk walkChain(Connection& connection, const std::vector<Witness>& witnesses, QStringList& problems) {
  QHash<qint64, Witness> witnessed;
  for (const Witness& witness : witnesses) witnessed.insert(witness.key, witness);
  const auto broken = [&](const QString& line) {
    report(problems, line);
    return false;
  };
  ChainWalk walk;
  Statement entries(connection, QStringLiteral("SELECT %1 FROM tchangelog ORDER BY pkeychangelog").arg(kEntryColumns));
  const AppendStoredText field = [&entries](int place, QByteArray& out) { return entries.appendText(place, out); };
  QByteArray changes, seal;  // as stored, read without a QString per entry
  while (entries.step()) {
    const qint64 key = entries.value(0).toLongLong();
    changes.resize(0);
    entries.appendText(kChangesPlace, changes);
    const bool compact = !changes.startsWith(kFirstFormChanges);
    seal.resize(0);
    entries.appendText(kSealPlace, seal);
    if (key != walk.lastKey + 1)
      walk.sound = broken(QStringLiteral("change log: entries %1 to %2 were removed").arg(walk.lastKey + 1).arg(key - 1));
    if (sealOfStored(walk.lastSeal, compact, field) != seal)
      walk.sound = broken(QStringLiteral("change log: entry %1 was altered").arg(key));
    if (witnessed.contains(key) && witnessed[key].seal != QString::fromUtf8(seal))
      walk.sound = broken(QStringLiteral("change log: entry %1 is not the one witnessed on %2: the history up to it was "
                                         "rewritten")
                              .arg(QString::number(key), when(witnessed[key])));
    if (!compact) walk.tablesWithFirstFormEntries.insert(entries.value(kTablePlace).toString());
    walk.lastKey = key;
    walk.lastSeal = seal;
  }
  for (const Witness& witness : witnesses)
    if (witness.key > walk.lastKey) {
      walk.sound = broken(QStringLiteral("change log: the entries after %1 were removed (entry %2 was witnessed on %3)")
                              .arg(QString::number(walk.lastKey), QString::number(witness.key), when(witness)));
      break;
    }
  Statement highWater(connection, connection.dialect().changeLogHighWater());
  if (highWater.step() && highWater.value(0).toLongLong() > walk.lastKey)
    walk.sound = broken(QStringLiteral("change log: the entries after %1 were removed").arg(walk.lastKey));
  return walk;
}

// A row's values as its entries wrote them, from its NEW entry on.
class Replay {
 public:
  explicit Replay(const Table& table) : table_(table) {}

  void apply(const QString& kind, const std::vector<ColumnChange>& changes) {
    if (kind == QLatin1String(kNewRow)) written_.clear();  // a new row's entry lists every value it has
    for (const ColumnChange& change : changes) written_.insert(change.column, text(change.after));
  }

  // Each column whose stored value differs from what the log last wrote.
  QStringList differences(qint64 rowKey, const QVariantList& stored) const {
    QStringList lines;
    for (size_t c = 0; c < table_.columns.size(); ++c) {
      const Column& column = table_.columns[c];
      if (column.type == ColumnType::Key || isSecretColumn(table_, column.name)) continue;
      const QString expected = written_.value(column.name);
      const QString actual = text(stored.value(qsizetype(c)));
      if (expected != actual)
        lines << QStringLiteral("%1 row %2: %3 holds \"%4\", but the change log last wrote \"%5\"")
                     .arg(table_.name, QString::number(rowKey), column.name, actual, expected);
    }
    return lines;
  }

 private:
  const Table& table_;
  QHash<QString, QString> written_;
};

// Rare: a row whose digest disagrees is replayed from its entries to name the columns.
QStringList replayedDifferences(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& stored) {
  Statement entries(connection, QStringLiteral("SELECT %1 FROM tchangelog WHERE tablename = ? AND rowkey = ? ORDER BY "
                                               "pkeychangelog")
                                    .arg(kEntryColumns));
  entries.bindAll({table.name, rowKey});
  Replay replay(table);
  while (entries.step()) {
    const ChangeEntry entry = entryAt(entries);
    replay.apply(entry.kind, entry.decodedChanges());
  }
  const QStringList lines = replay.differences(rowKey, stored);
  if (!lines.isEmpty()) return lines;
  return {QStringLiteral("%1 row %2 holds values the change log never wrote").arg(table.name).arg(rowKey)};
}

// One logged table's rows in key order beside their entries, read from the
// index that holds each entry's kind and digest; entries of the first form,
// which have no digest, are read and replayed only for tables that have them.
void compareTable(Connection& connection, const Table& table, bool firstFormEntries, QStringList& problems) {
  const QString key = SqlDialect::rowKey(table);
  Statement rows(connection, QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"%3\"")
                                 .arg(SqlDialect::keyAndColumns(table), table.name, key));
  Statement entries(connection, QStringLiteral("SELECT rowkey, kind, rowdigest FROM tchangelog WHERE tablename = ? "
                                               "ORDER BY rowkey, pkeychangelog"));
  entries.bind(1, table.name);
  std::optional<Statement> firstForm;
  if (firstFormEntries) {
    firstForm.emplace(connection, QStringLiteral("SELECT %1 FROM tchangelog WHERE tablename = ? AND rowdigest IS NULL "
                                                 "ORDER BY rowkey, pkeychangelog")
                                      .arg(kEntryColumns));
    firstForm->bind(1, table.name);
  }
  bool firstFormAhead = firstForm && firstForm->step();
  bool rowAhead = rows.step();
  bool entryAhead = entries.step();
  const int columns = rows.columnCount() - 1;
  const AppendStoredText storedText = [&rows](int place, QByteArray& out) { return rows.appendText(place + 1, out); };
  QByteArray firstKind, lastDigest;  // as stored, read without a QString per entry
  while ((rowAhead || entryAhead) && problems.size() < kMostReported) {
    const qint64 rowKey = rowAhead ? rows.value(0).toLongLong() : kPastTheEnd;
    const qint64 k = std::min(rowKey, entryAhead ? entries.value(0).toLongLong() : kPastTheEnd);
    bool logged = false, digested = false;
    for (; entryAhead && entries.value(0).toLongLong() == k; entryAhead = entries.step()) {
      if (!logged) {
        firstKind.resize(0);
        entries.appendText(1, firstKind);
      }
      logged = true;
      lastDigest.resize(0);
      digested = entries.appendText(2, lastDigest);
    }
    const bool madeNew = logged && firstKind == kNewRow;
    Replay replay(table);
    for (; firstFormAhead && firstForm->value(5).toLongLong() <= k; firstFormAhead = firstForm->step()) {
      const ChangeEntry entry = entryAt(*firstForm);
      if (entry.rowKey == k) replay.apply(entry.kind, entry.decodedChanges());
    }
    if (rowKey != k) {
      report(problems, QStringLiteral("%1 row %2 was removed behind the program's back").arg(table.name).arg(k));
      continue;
    }
    // The row's values are made only for a row its digest does not vouch for.
    const bool vouched = digested && rowDigest(table, columns, storedText) == QLatin1StringView(lastDigest);
    QVariantList stored;
    if (!vouched)
      for (int c = 1; c <= columns; ++c) stored << rows.value(c);
    rowAhead = rows.step();
    if (!logged) {
      report(problems, QStringLiteral("%1 row %2 has no entry in the change log: it was stored behind the program's back")
                           .arg(table.name)
                           .arg(k));
      continue;
    }
    if (!madeNew) report(problems, QStringLiteral("%1 row %2 has no NEW entry in the change log").arg(table.name).arg(k));
    const QStringList differences = vouched    ? QStringList()
                                    : !digested ? replay.differences(k, stored)
                                                : replayedDifferences(connection, table, k, stored);
    for (const QString& line : differences) report(problems, line);
  }
}

}  // namespace

ChangeLogCheck checkChangeLog(Connection& connection, const std::vector<Witness>& witnesses) {
  ChangeLogCheck check;
  if (!connection.dialect().hasTable(connection, QStringLiteral("tchangelog"))) {
    check.problems << QStringLiteral("change log: it is missing: it was removed behind the program's back");
    check.chainSound = false;
    return check;
  }
  const ChainWalk walk = walkChain(connection, witnesses, check.problems);
  check.headKey = walk.lastKey;
  check.headSeal = QString::fromUtf8(walk.lastSeal);
  check.chainSound = walk.sound;
  for (const Table& table : allTables())
    if (isLogged(table)) compareTable(connection, table, walk.tablesWithFirstFormEntries.contains(table.name), check.problems);
  return check;
}

QStringList changeLogProblems(Connection& connection) {
  return checkChangeLog(connection, witnessesOf(connection.address())).problems;
}

QStringList changeLogHeadProblems(Connection& connection) {
  QStringList problems;
  Statement last(connection, QStringLiteral("SELECT max(pkeychangelog) FROM tchangelog"));
  const qint64 lastKey = last.step() ? last.value(0).toLongLong() : 0;
  Statement highWater(connection, connection.dialect().changeLogHighWater());
  if (highWater.step() && highWater.value(0).toLongLong() > lastKey)
    problems << QStringLiteral("change log: the entries after %1 were removed").arg(lastKey);
  Statement sealOf(connection, QStringLiteral("SELECT seal FROM tchangelog WHERE pkeychangelog = ?"));
  for (const Witness& witness : witnessesOf(connection.address())) {
    sealOf.reset();
    sealOf.bind(1, witness.key);
    if (!sealOf.step())
      problems << QStringLiteral("change log: entry %1, witnessed on %2, was removed").arg(QString::number(witness.key), when(witness));
    else if (sealOf.value(0).toString() != witness.seal)
      problems << QStringLiteral("change log: entry %1 is not the one witnessed on %2: the history up to it was rewritten")
                      .arg(QString::number(witness.key), when(witness));
    if (!problems.isEmpty()) break;
  }
  return problems;
}
