#include "store/backup.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/dberror.h"

namespace {

[[noreturn]] void failBackup(const QString& why) {
  throw DbError(DbErrorKind::Other, QStringLiteral("The backup could not be made: %1").arg(why));
}

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
  if (QFileInfo::exists(destinationPath)) failBackup(QStringLiteral("%1 already exists.").arg(destinationPath));
  const QFileInfo destination(destinationPath);
  if (!QDir().mkpath(destination.absolutePath()))
    failBackup(QStringLiteral("the folder %1 cannot be created.").arg(destination.absolutePath()));

  const QString partialPath = destinationPath + QStringLiteral(".partial");
  QFile::remove(partialPath);
  try {
    copyInto(source, partialPath);
    Connection::open(partialPath);  // proves the copy opens with the key
  } catch (const DbError& error) {
    QFile::remove(partialPath);
    failBackup(error.message());
  }
  if (!QFile::rename(partialPath, destinationPath)) {
    QFile::remove(partialPath);
    failBackup(QStringLiteral("%1 cannot be written.").arg(destinationPath));
  }
}

QString timestampedBackupPath(const QString& databasePath, const QDateTime& when) {
  return QDir(backupFolderFor(databasePath))
      .filePath(QStringLiteral("database-%1.db").arg(when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"))));
}
