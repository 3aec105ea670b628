#include "store/databaselocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "store/serverlocation.h"

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
}  // namespace

QString backupFolderFor(const QString& databasePath) {
  const QString databaseFolder = QFileInfo(localPlaceOf(databasePath)).absolutePath();
  return QDir(QFileInfo(databaseFolder).absolutePath()).filePath(QStringLiteral("databasebackup"));
}

QString reportsFolderFor(const QString& databasePath) {
  return QDir(QFileInfo(localPlaceOf(databasePath)).absolutePath()).filePath(QStringLiteral("reports"));
}
