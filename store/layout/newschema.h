#pragma once

#include <functional>

class Connection;

// A new database: tables, then everything derived from them.
void createSchema(Connection& connection);
void createTables(Connection& connection);
// Indexes (the unique ones make the file refuse a document number twice) and
// the bookkeeping of open documents; built from the rows already present.
void createDerivedObjects(Connection& connection, const std::function<void(int built, int total)>& progress = {});
