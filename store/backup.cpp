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
  // One step copies every page. Inside it the source's busy handler already waits
  // its few seconds for a lock held elsewhere; retrying after that would only
  // freeze the window for as long as the other program keeps the file.
  const int rc = sqlite3_backup_step(backup, -1);
  sqlite3_backup_finish(backup);
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    throw DbError(DbErrorKind::Locked,
                  QStringLiteral("the database is in use by another window or program, so nothing was copied. "
                                 "Please try again in a moment."));
  if (rc != SQLITE_DONE) destination->raise(rc);
}

}  // namespace

void backupDatabase(Connection& source, const QString& destinationPath) {
  removeStalePartialBackups(source.path());
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

void removeStalePartialBackups(const QString& databasePath) { removeStalePartialFiles(backupFolderFor(databasePath)); }
