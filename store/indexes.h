#pragma once

#include <QString>

class Connection;

// The indexes of the tables: plain ones for joins, lists and lookups, unique
// ones on the trimmed, case-folded document numbers, so that no window,
// program or tool can store a number twice or a second answer to a document.
void createIndexes(Connection& connection);

// The indexes in the orders the lists show whole tables in; part of createIndexes,
// and on their own when a file of data version 1 is brought up to date.
void createListingIndexes(Connection& connection);

// Before a file's unique indexes are built: the first document number stored
// twice, as "tinquiry: INQ/1", or empty text when there is none.
QString firstDuplicateNumber(Connection& connection);
