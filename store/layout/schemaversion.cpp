#include "store/layout/schemaversion.h"

#include <QStringList>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/documentchain.h"
#include "store/indexes.h"
#include "store/layout/followuptotals.h"
#include "store/layout/inquirymakes.h"
#include "store/layout/listindexes.h"
#include "store/layout/newschema.h"
#include "store/queries/followup.h"
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

// On a server, the bookkeeping triggers run with the owner's rights, so that a
// clerk's role needs no right to write it, and the change log's high-water
// mark is raised once per transaction. The file has nothing to change.
void upgradeServerBookkeeping(Connection& connection) {
  if (connection.engine() != EngineKind::Server) return;
  createOpenDocumentTriggers(connection);
  for (const QString& statement : connection.dialect().createChangeLogHighWater()) connection.execute(statement);
}

// Those it lacks, each list's or report's in its order.
void addListIndexes(Connection& connection) {
  createListIndexes(connection, [&connection](int built, int total) {
    if (upgradeProgress()) upgradeProgress()(connection.path(), built, total);
  });
}

// Lists sort texts in any letter case together, each list from an index in
// its order; the inquiries by make from a table of their own.
void upgradeListOrders(Connection& connection) {
  dropIndexesReplacedByListIndexes(connection);
  createOpenParentsIndex(connection);
  createInquiryMakes(connection);
  addListIndexes(connection);
}

void upgrade(Connection& connection, int version) {
  if (version < 3)
    createChangeLog(connection);  // before the indexes, some of which are the log's
  else if (version < 5)
    addRowDigestsToChangeLog(connection);
  if (version == 0) upgradeFromFirstRelease(connection);  // builds every index of this version
  if (version == 3) upgradeServerBookkeeping(connection);
  if (version < 5) logRowsWithoutEntries(connection);
  if (version >= 1 && version < 6) upgradeListOrders(connection);
  if (version >= 1 && version < 7) {  // the first release's upgrade made them above
    createFollowUpIndexes(connection);  // the follow-up board's unpaid invoices
    createFollowUpBookkeeping(connection);
  }
  if (version >= 6 && version < 8) addListIndexes(connection);  // the outstanding report's
  connection.dialect().setSchemaVersion(connection, kSchemaVersion);
}

}  // namespace

void setUpgradeProgress(UpgradeProgress progress) { upgradeProgress() = std::move(progress); }

void requireCurrentSchema(Connection& connection) {
  if (fileVersion(connection) == kSchemaVersion) return;
  Transaction upgrading(connection);  // holds the write lock: one program upgrades, the others wait and see it done
  const int version = fileVersion(connection);
  if (version == kSchemaVersion) return;
  if (version > kSchemaVersion || version < 0)
    throw DbError(DbErrorKind::WrongVersion,
                  QStringLiteral("The database file %1 was made by a newer version of VANTORA (data version %2; this "
                                 "program reads version %3). Open it with the newer program.")
                      .arg(connection.path(), QString::number(version), QString::number(kSchemaVersion)));
  try {
    upgrade(connection, version);
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::NoPermission) throw;
    throw DbError(DbErrorKind::NoPermission,
                  QStringLiteral("The database %1 has data version %2, and this program needs version %3. Only the "
                                 "role that owns its tables may bring it up to date: run \"vantora-db check\" once "
                                 "as that role (see the README), then start VANTORA again.")
                      .arg(connection.path(), QString::number(version), QString::number(kSchemaVersion)));
  }
  upgrading.commit();
}
