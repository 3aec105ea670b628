#pragma once

#include <QString>
#include <functional>

class Connection;

// The indexes of the tables: plain ones for joins and lookups, unique ones on
// the trimmed, case-folded document numbers, so that no window, program or
// tool can store a number twice or a second answer to a document.
void createIndexes(Connection& connection);

// Told after each list index: how many of how many are in place.
using IndexProgress = std::function<void(int built, int total)>;
// An index in the order of each list, so that its first screen is read
// straight off it: those missing are built, those no list needs any more are
// dropped.
void createListIndexes(Connection& connection, const IndexProgress& progress = {});
// The indexes that list indexes took the place of, dropped when a database is brought up to date.
void dropIndexesReplacedByListIndexes(Connection& connection);

// The column holds a document number that its table stores only once.
bool isUniqueNumber(const QString& table, const QString& column);

// Before a file's unique indexes are built: the first document number stored
// twice, as "tinquiry: INQ/1", or empty text when there is none.
QString firstDuplicateNumber(Connection& connection);
