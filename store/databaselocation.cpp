#include "store/databaselocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultDatabasePath() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/lumo/database.db");
}

QString databasePathFrom(const QStringList& arguments) {
  const QString option = QString::fromLatin1(kDatabaseOption);
  for (int i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == option && i + 1 < arguments.size()) return arguments[i + 1];
    if (arguments[i].startsWith(option + '=')) return arguments[i].mid(option.size() + 1);
  }
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
