#pragma once

#include <QString>

// The database, its backups and reports hold the office's business: what the
// program creates only its owner may read and write.

// Creates a new, empty file (0600). Refuses, with a DbError, when anything
// already exists at the path, a symbolic link included.
void createOwnerOnlyFile(const QString& path);

// Copies a file byte for byte into a new file made as above.
void copyIntoOwnerOnlyFile(const QString& from, const QString& to);

// Makes the folder and any missing folder above it, each for its owner only
// (0700) whatever the umask; folders that exist are left as they are. A
// DbError when one cannot be made.
void makeOwnerOnlyFolder(const QString& folder);

// Whether anything is at the path: a file, a folder, or a symbolic link, even
// one that leads nowhere.
bool entryExists(const QString& path);
