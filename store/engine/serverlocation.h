#pragma once

#include <QString>

// A database on a PostgreSQL server is named by a libpq connection URI
// (postgresql://...); anything else is the path of a database file.
bool isServerLocation(const QString& location);

// The address without its password, fit for messages and logs.
QString shownServerLocation(const QString& location);

// Whether the address itself carries a password (in any letter case).
bool carriesPassword(const QString& location);

// The address as libpq takes it: the scheme in small letters.
QString libpqAddress(const QString& location);
