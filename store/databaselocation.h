#pragma once

#include <QString>
#include <QStringList>

inline constexpr char kDatabaseEnvironmentVariable[] = "VANTORA_DATABASE";
inline constexpr char kDatabaseOption[] = "--database";

// <Documents>/lumo/database.db
QString defaultDatabasePath();

// "--database PATH" (or "--database=PATH") among the arguments, else the
// VANTORA_DATABASE environment variable, else the default path.
QString databasePathFrom(const QStringList& arguments);

// The folder "databasebackup" beside the database's own folder.
QString backupFolderFor(const QString& databasePath);

// The folder "reports" in the database's folder: the filled report workbooks.
QString reportsFolderFor(const QString& databasePath);
