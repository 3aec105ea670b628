#include "store/files/backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/basics/completefile.h"
#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/engine/serverlocation.h"
#include "store/filepages.h"
#include "store/files/serverdump.h"
#include "store/statement.h"
#include "store/witnesses.h"

namespace {

void requireSound(Connection& connection, const QString& shownPath) {
  Statement check(connection, QStringLiteral("PRAGMA quick_check"));
  if (!check.step() || check.value(0).toString() != QStringLiteral("ok"))
    throw DbError(DbErrorKind::Other, QStringLiteral("the backup %1 is damaged.").arg(shownPath));
}

// The database as it stands, with the journal of a write that was cut short,
// so that the kept copy opens as the database would have.
QString keepCurrent(const QString& databasePath, const QDateTime& when) {
  if (!QFileInfo::exists(databasePath)) return {};
  const QString kept = timestampedBackupPath(databasePath, when);
  writeCompleteFile(kept, [&](const QString& partialPath) { copyIntoOwnerOnlyFile(databasePath, partialPath); });
  const QString journal = databasePath + QStringLiteral("-journal");
  if (QFileInfo::exists(journal)) copyIntoOwnerOnlyFile(journal, kept + QStringLiteral("-journal"));
  return kept;
}

}  // namespace

QString restoreDatabase(const QString& copyPath, const QString& databasePath, const QDateTime& when) {
  const QFileInfo copy(copyPath);
  if (!copy.isFile())
    throw DbError(DbErrorKind::FileMissing, QStringLiteral("There is no backup at %1; the database was left as it was.").arg(copyPath));
  if (copy.canonicalFilePath() == QFileInfo(databasePath).canonicalFilePath())
    throw DbError(DbErrorKind::Other, QStringLiteral("%1 is the database itself, not a backup of it.").arg(copyPath));
  const QString staged = databasePath + QStringLiteral(".restoring");
  QFile::remove(staged);  // what a restore cut short left
  QFile::remove(staged + QStringLiteral("-journal"));
  try {
    writeCompleteFile(staged, [&](const QString& partialPath) {
      copyIntoOwnerOnlyFile(copyPath, partialPath);
      auto proven = Connection::open(partialPath);  // the key, and an older copy brought up to date
      requireSound(*proven, copyPath);
    });
  } catch (const DbError& error) {
    throw DbError(error.kind(), QStringLiteral("The backup was not restored, and the database was left as it was: %1")
                                    .arg(error.message()));
  }
  QString kept;
  try {
    kept = keepCurrent(databasePath, when);
  } catch (const DbError& error) {
    throw DbError(error.kind(), QStringLiteral("The backup was not restored, and the database was left as it was: the "
                                               "database as it stands could not be kept first. %1")
                                    .arg(error.message()));
  }
  // The old journal belongs to the old file: played into the restored one, it would damage it.
  QFile::remove(databasePath + QStringLiteral("-journal"));
  if (std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(databasePath).constData()) != 0)
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The database could not be replaced (%1); the checked backup waits at %2.")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)), staged));
  startNewHistory(databasePath, QStringLiteral("restore"));
  return kept;
}

void backupDatabase(Connection& source, const QString& destinationPath) {
  try {
    writeCompleteFile(destinationPath, [&source](const QString& partialPath) {
      if (source.engine() == EngineKind::Server) {
        dumpServerDatabase(source, partialPath);
        return;
      }
      backUpFilePages(source, partialPath);
      Connection::open(partialPath);  // proves the copy opens with the key
    });
  } catch (const DbError& error) {
    throw DbError(error.kind(), QStringLiteral("The backup could not be made: %1").arg(error.message()));
  }
  witnessHead(source, QStringLiteral("backup"));
}

QString timestampedBackupPath(const QString& databasePath, const QDateTime& when) {
  return QDir(backupFolderFor(databasePath))
      .filePath(QStringLiteral("database-%1.%2")
                    .arg(when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")),
                         isServerLocation(databasePath) ? QStringLiteral("dump") : QStringLiteral("db")));
}
