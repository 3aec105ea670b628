#pragma once

#include <QString>

class Connection;

// The indexes of the tables: plain ones for joins and lookups, unique ones on
// the trimmed, case-folded document numbers, so that no window, program or
// tool can store a number twice or a second answer to a document.
void createIndexes(Connection& connection);

// The column holds a document number that its table stores only once.
bool isUniqueNumber(const QString& table, const QString& column);

// Before a file's unique indexes are built: the first document number stored
// twice, as "tinquiry: INQ/1", or empty text when there is none.
QString firstDuplicateNumber(Connection& connection);
