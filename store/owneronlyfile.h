#pragma once

#include <QString>

// Creates a new, empty file that only its owner may read and write (0600):
// the database, its backups and reports hold the office's business. Refuses,
// with a DbError, when anything already exists at the path.
void createOwnerOnlyFile(const QString& path);
