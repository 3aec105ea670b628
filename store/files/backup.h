#pragma once

#include <QDateTime>
#include <QString>

class Connection;

// A consistent, encrypted copy of a live database. The copy is written beside
// its destination under a temporary name, proven to open with the key, and only
// then renamed: a failure never leaves a half-written backup. Refuses to
// overwrite an existing file. While another program holds the database locked
// it waits a few seconds at most, then refuses with DbErrorKind::Locked.
void backupDatabase(Connection& source, const QString& destinationPath);

// "database-YYYY-MM-DD-HHMMSS.db" in the backup folder of the database.
QString timestampedBackupPath(const QString& databasePath, const QDateTime& when);

// Puts a backup copy in the place of the database. The copy is staged beside
// the database and must open with the key and pass the engine's check; only
// then is the database replaced. The database as it stood is first kept in the
// backup folder (as a backup made at `when`), so a restore can itself be undone;
// returns that path, or empty text when there was no database. Every program
// using the database must be closed first.
QString restoreDatabase(const QString& copyPath, const QString& databasePath, const QDateTime& when);
