#pragma once

#include <functional>

class Connection;

// Told after each list index: how many of how many are in place.
using IndexProgress = std::function<void(int built, int total)>;
// An index in the order of each list, so that its first screen is read
// straight off it: those missing are built, those no list needs any more are
// dropped.
void createListIndexes(Connection& connection, const IndexProgress& progress = {});
// The indexes that list indexes took the place of, dropped when a database is brought up to date.
void dropIndexesReplacedByListIndexes(Connection& connection);
