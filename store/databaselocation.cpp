#include "store/databaselocation.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "store/engine/serverlocation.h"

QString defaultDatabasePath() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/lumo/database.db");
}

QString databasePathFrom(const QString& chosen) {
  if (!chosen.isEmpty()) return chosen;
  const QString fromEnvironment = qEnvironmentVariable(kDatabaseEnvironmentVariable);
  return fromEnvironment.isEmpty() ? defaultDatabasePath() : fromEnvironment;
}

namespace {
// A database on a server keeps its backups and reports on this computer, where
// the default database file would be.
QString localPlaceOf(const QString& database) {
  return isServerLocation(database) ? defaultDatabasePath() : database;
}

// A folder that holds, or can be made to hold, new files: it is a writable
// folder, or the nearest folder that exists above it is.
bool canTakeNewFiles(const QString& folder) {
  QFileInfo place(folder);
  while (!place.exists() && !place.isSymLink() && !place.isRoot()) place = QFileInfo(place.absolutePath());
  return place.isDir() && ::access(QFile::encodeName(place.absoluteFilePath()).constData(), W_OK | X_OK) == 0;
}
}  // namespace

QString usualBackupFolderFor(const QString& databasePath) {
  const QString databaseFolder = QFileInfo(localPlaceOf(databasePath)).absolutePath();
  return QDir(QFileInfo(databaseFolder).absolutePath()).filePath(QStringLiteral("databasebackup"));
}

QString backupFolderFor(const QString& databasePath) {
  const QString usual = usualBackupFolderFor(databasePath);
  if (canTakeNewFiles(usual)) return usual;
  return QDir(QFileInfo(localPlaceOf(databasePath)).absolutePath()).filePath(QStringLiteral("databasebackup"));
}

QString reportsFolderFor(const QString& databasePath) {
  return QDir(QFileInfo(localPlaceOf(databasePath)).absolutePath()).filePath(QStringLiteral("reports"));
}
