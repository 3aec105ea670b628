#include "store/schemaversion.h"

#include <QStringList>

#include "store/changelog.h"
#include "store/connection.h"
#include "store/dberror.h"
#include "store/documentchain.h"
#include "store/inquirymakes.h"
#include "store/indexes.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "store/transaction.h"

namespace {

int fileVersion(Connection& connection) { return connection.dialect().schemaVersion(connection); }

bool holdsEveryTable(Connection& connection) {
  for (const Table& table : allTables())
    if (!connection.dialect().hasTable(connection, table.name)) return false;
  return true;
}

// The first release numbered its indexes ix1, ix2, ... and had no unique ones.
void upgradeFromFirstRelease(Connection& connection) {
  if (connection.engine() == EngineKind::Server)  // server databases began at the current layout
    throw DbError(DbErrorKind::WrongVersion,
                  QStringLiteral("The database %1 holds VANTORA's tables without a data version: it was not made by "
                                 "vantora-db. Make a new one with \"vantora-db init\" or \"vantora-db copy\".")
                      .arg(connection.path()));
  if (!holdsEveryTable(connection))
    throw DbError(DbErrorKind::WrongVersion,
                  QStringLiteral("The file %1 is not a VANTORA database: its tables are missing.").arg(connection.path()));
  QStringList oldIndexes;
  Statement names(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name GLOB 'ix[0-9]*'"));
  while (names.step()) oldIndexes << names.value(0).toString();
  for (const QString& name : oldIndexes) connection.execute(QStringLiteral("DROP INDEX \"%1\"").arg(name));

  const QString duplicate = firstDuplicateNumber(connection);
  if (!duplicate.isEmpty())
    throw DbError(DbErrorKind::WrongVersion,
                  QStringLiteral("The database file %1 was made by an earlier version of VANTORA and cannot be brought "
                                 "up to date: a document number is stored twice (%2). Correct it with the earlier "
                                 "version, then open the file here again.")
                      .arg(connection.path(), duplicate));
  createDerivedObjects(connection);
}

UpgradeProgress& upgradeProgress() {
  static UpgradeProgress progress;
  return progress;
}

// Lists sort texts in any letter case together, each list from an index in
// its order; the inquiries by make from a table of their own.
void upgradeListOrders(Connection& connection) {
  dropIndexesReplacedByListIndexes(connection);
  createOpenParentsIndex(connection);
  createInquiryMakes(connection);
  createListIndexes(connection, [&connection](int built, int total) {
    if (upgradeProgress()) upgradeProgress()(connection.path(), built, total);
  });
}

}  // namespace

void setUpgradeProgress(UpgradeProgress progress) { upgradeProgress() = std::move(progress); }

void requireCurrentSchema(Connection& connection) {
  if (fileVersion(connection) == kSchemaVersion) return;
  Transaction upgrade(connection);  // holds the write lock: one program upgrades, the others wait and see it done
  const int version = fileVersion(connection);
  if (version == kSchemaVersion) return;
  if (version > kSchemaVersion || version < 0)
    throw DbError(DbErrorKind::WrongVersion,
                  QStringLiteral("The database file %1 was made by a newer version of VANTORA (data version %2; this "
                                 "program reads version %3). Open it with the newer program.")
                      .arg(connection.path(), QString::number(version), QString::number(kSchemaVersion)));
  if (version < 3) createChangeLog(connection);  // before the indexes, some of which are the log's
  if (version == 0) upgradeFromFirstRelease(connection);
  if (version >= 1 && version < 4) upgradeListOrders(connection);
  connection.dialect().setSchemaVersion(connection, kSchemaVersion);
  upgrade.commit();
}
