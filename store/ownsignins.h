#pragma once

#include <QString>

class Connection;

// Remembers `name` as this program's own sign-in to the connection's
// database, in the sign-in log `log` (tloginwork, tlogineditdata).
void rememberOwnSignIn(const Connection& connection, const QString& log, const QString& name);

// Each running program is one clerk: these name who signed in, and who passed
// the edit-data gate, through this program, whatever other computers sharing
// the database have written since. Empty before the first one.
QString currentLoginName(Connection& connection);
QString currentEditLoginName(Connection& connection);
