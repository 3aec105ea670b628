#pragma once

#include <QString>

class Connection;

// A file database copied page by page through its own engine, for backups and
// for the snapshots that checks and copies read.

// A new database file at `partialPath` holding the source's pages; it takes
// the source's page size. A source locked elsewhere is a DbError (Locked).
void backUpFilePages(Connection& source, const QString& partialPath);

// The file's bytes as they stand, into a new owner-only file at `path`; the
// caller holds the read lock, so no writer commits meanwhile.
void copyFileBytes(Connection& live, const QString& path);
