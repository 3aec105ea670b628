#include "store/files/databasecopy.h"

#include <QStringList>

#include "store/basics/completefile.h"
#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/engine/serverlocation.h"
#include "store/layout/newschema.h"
#include "store/layout/snapshot.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "store/witnesses.h"

namespace {

constexpr int kRowsPerRead = 2000;

struct CopiedTable {
  QString name;
  QString key;
  QStringList columns;  // in the order both databases hold them, key first when it is a column
};

QString quoted(const QString& name) { return '"' + name + '"'; }

std::vector<CopiedTable> copiedTables() {
  std::vector<CopiedTable> tables;
  for (const Table& table : allTables()) {
    CopiedTable copied{table.name, SqlDialect::rowKey(table), {}};
    for (const Column& column : table.columns) copied.columns << column.name;
    tables.push_back(copied);
  }
  tables.push_back({QStringLiteral("tchangelog"), QStringLiteral("pkeychangelog"), changeLogColumns()});
  return tables;
}

qint64 rowCount(Connection& connection, const QString& table) {
  Statement count(connection, QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)));
  return count.step() ? count.value(0).toLongLong() : 0;
}

// Reads the source in key order a page at a time, so neither side holds a whole table.
void copyRows(Connection& source, Connection& destination, const CopiedTable& table, const std::function<void(int)>& copied) {
  const bool keyIsColumn = table.columns.contains(table.key);
  QStringList selected;
  if (!keyIsColumn) selected << quoted(table.key);
  for (const QString& column : table.columns) selected << quoted(column);
  Statement page(source, QStringLiteral("SELECT %1 FROM %2 WHERE %3 > ? ORDER BY %3 LIMIT %4")
                             .arg(selected.join(QStringLiteral(", ")), quoted(table.name), quoted(table.key))
                             .arg(kRowsPerRead));
  QStringList written = table.columns;
  if (!keyIsColumn) written.prepend(table.key);
  const auto insert = destination.session().bulkLoad(table.name, written);
  qint64 last = -1;
  for (bool more = true; more;) {
    page.reset();
    page.bind(1, last);
    int read = 0;
    while (page.step()) {
      QVariantList row;
      for (int c = 0; c < int(written.size()); ++c) row << page.value(c);
      last = row.front().toLongLong();
      insert->add(row);
      ++read;
    }
    if (copied) copied(read);
    more = read == kRowsPerRead;
  }
  insert->finish();
}

TableCounts copyInto(Connection& source, Connection& destination, const CopyProgress& progress) {
  Transaction write(destination);
  createTables(destination);
  TableCounts expected;
  qint64 total = 0;
  for (const CopiedTable& table : copiedTables()) total += expected.emplace_back(table.name, rowCount(source, table.name)).second;
  qint64 done = 0;
  const auto copied = [&](int rows) {
    done += rows;
    if (progress) progress(done, total);
  };
  TableCounts counts;
  for (const CopiedTable& table : copiedTables()) {
    copyRows(source, destination, table, copied);
    const qint64 wanted = expected[counts.size()].second;
    const qint64 arrived = rowCount(destination, table.name);
    if (arrived != wanted)
      throw DbError(DbErrorKind::Other, QStringLiteral("%1 holds %2 rows, but %3 arrived; nothing was copied.")
                                            .arg(table.name, QString::number(wanted), QString::number(arrived)));
    counts.emplace_back(table.name, arrived);
  }
  for (const Table& table : allTables()) destination.dialect().continueKeysAfterCopy(destination, table);
  createDerivedObjects(destination);  // indexes and open lists are built faster over the rows than row by row
  destination.dialect().refreshStatistics(destination);
  write.commit();
  return counts;
}

}  // namespace

TableCounts copyDatabase(Connection& source, const QString& destination, const CopyProgress& progress) {
  TableCounts counts;
  readConsistentSnapshot(source, [&](Connection& snapshot) {
    if (isServerLocation(destination)) {
      auto connection = Connection::open(destination, Connection::OpenMode::CreateNew);
      counts = copyInto(snapshot, *connection, progress);
      return;
    }
    writeCompleteFile(destination, [&](const QString& partialPath) {
      auto connection = Connection::open(partialPath, Connection::OpenMode::CreateNew);
      counts = copyInto(snapshot, *connection, progress);
    });
  });
  startNewHistory(destination, QStringLiteral("copy"));
  return counts;
}
