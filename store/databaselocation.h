#pragma once

#include <QString>

inline constexpr char kDatabaseEnvironmentVariable[] = "VANTORA_DATABASE";

// <Documents>/lumo/database.db
QString defaultDatabasePath();

// The path a user chose (with --database), else the VANTORA_DATABASE
// environment variable, else the default path.
QString databasePathFrom(const QString& chosen);

// The folder "databasebackup" beside the database's own folder.
QString usualBackupFolderFor(const QString& databasePath);
// Where backups go: the usual folder, or, when it cannot be made or written
// (a database right in a home folder would need /home/databasebackup), the
// folder "databasebackup" inside the database's own folder.
QString backupFolderFor(const QString& databasePath);

// The folder "reports" in the database's folder: the filled report workbooks.
QString reportsFolderFor(const QString& databasePath);
