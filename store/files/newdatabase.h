#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Connection;

// True when nothing stands at the location yet: no file at the path, or a
// server database that holds no VANTORA tables. Anything else there (a
// database, a foreign file, a server that cannot be reached) is for opening
// to judge and report.
bool awaitsCreation(const QString& location);

// Makes a whole database in one transaction: the tables, what `fill` writes
// into them, then their indexes. A file appears at its path only complete and
// closed, and a server keeps nothing of a run that failed: a kill or a full
// disk leaves nothing that a rerun would refuse. Never replaces a database.
// `indexesBuilt` hears of each index as it is built.
using IndexesBuilt = std::function<void(int built, int total)>;
void createDatabase(const QString& location, const IndexesBuilt& indexesBuilt,
                    const std::function<void(Connection&)>& fill);

// An empty database whose sign-in slots hold the twelve values (name,
// password for slots 0..5; slot 0 the administrator's).
void createEmptyDatabase(const QString& location, const QStringList& slotValues, const IndexesBuilt& indexesBuilt = {});
