#include "store/backup.h"

#include <sqlite3.h>

#include <QDir>

#include "store/completefile.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/dberror.h"

namespace {

void copyInto(Connection& source, const QString& partialPath) {
  std::unique_ptr<Connection> destination = Connection::open(partialPath, Connection::OpenMode::CreateNew);
  sqlite3_backup* backup = sqlite3_backup_init(destination->handle(), "main", source.handle(), "main");
  if (!backup) destination->raise(sqlite3_errcode(destination->handle()));
  int rc = SQLITE_OK;
  do {
    rc = sqlite3_backup_step(backup, -1);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(50);
  } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE) destination->raise(rc);
}

}  // namespace

void backupDatabase(Connection& source, const QString& destinationPath) {
  try {
    writeCompleteFile(destinationPath, [&source](const QString& partialPath) {
      copyInto(source, partialPath);
      Connection::open(partialPath);  // proves the copy opens with the key
    });
  } catch (const DbError& error) {
    throw DbError(error.kind(), QStringLiteral("The backup could not be made: %1").arg(error.message()));
  }
}

QString timestampedBackupPath(const QString& databasePath, const QDateTime& when) {
  return QDir(backupFolderFor(databasePath))
      .filePath(QStringLiteral("database-%1.db").arg(when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"))));
}
