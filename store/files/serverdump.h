#pragma once

#include <QString>

class Connection;

// A server database's backup: its schema as a pg_dump archive (custom format,
// read back by pg_restore). The password, if the address has one, reaches
// pg_dump through its environment, never its command line. Without pg_dump on
// this computer it refuses, saying that the server's own backups apply.
void dumpServerDatabase(Connection& source, const QString& archivePath);
