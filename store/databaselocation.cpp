#include "store/databaselocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultDatabasePath() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/lumo/database.db");
}

QString databasePathFrom(const QString& chosen) {
  if (!chosen.isEmpty()) return chosen;
  const QString fromEnvironment = qEnvironmentVariable(kDatabaseEnvironmentVariable);
  return fromEnvironment.isEmpty() ? defaultDatabasePath() : fromEnvironment;
}

QString backupFolderFor(const QString& databasePath) {
  const QString databaseFolder = QFileInfo(databasePath).absolutePath();
  return QDir(QFileInfo(databaseFolder).absolutePath()).filePath(QStringLiteral("databasebackup"));
}

QString reportsFolderFor(const QString& databasePath) {
  return QDir(QFileInfo(databasePath).absolutePath()).filePath(QStringLiteral("reports"));
}
