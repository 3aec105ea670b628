#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "store/changeentry.h"

class Connection;
struct Table;

// The change log: one entry per stored change, written by the store's write
// paths in the same transaction as the change. Each entry is sealed with a
// SHA-256 over its content and the seal of the entry before it, so an entry
// altered or removed behind the program's back breaks the chain. Nothing in
// the program updates or deletes entries.

// A change and its entry are stored together or not at all, inside or
// outside a transaction.
class LoggedWrite {
 public:
  explicit LoggedWrite(Connection& connection);
  ~LoggedWrite();  // takes both back unless done() was reached
  LoggedWrite(const LoggedWrite&) = delete;
  LoggedWrite& operator=(const LoggedWrite&) = delete;
  void done();

 private:
  Connection& connection_;
  bool ownTransaction_;
  bool done_ = false;
};


#ifdef VANTORA_BENCH
// Benchmark builds only: the same store with the log turned off, to measure its cost.
void switchChangeLogOffForBenchmark(bool off);
#endif

// The log's table, its indexes and the triggers that refuse changes to it.
void createChangeLog(Connection& connection);
void createChangeLogRowIndex(Connection& connection);
// Data version 5: each entry keeps the digest of its row, which the index the
// check reads rows' entries from covers; rows stored before the log began get
// their NEW entry, so that every row has one.
void addRowDigestsToChangeLog(Connection& connection);
void logRowsWithoutEntries(Connection& connection);

// Called by the store's write paths: a new row with its values (by column
// position), or the changed columns of a row with the whole row as stored
// after the write. Tables that are themselves logs (the sign-in logs) are not
// logged. Passwords are never written: a changed one reads "changed".
void logNewRow(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& values);
void logChangedRow(Connection& connection, const Table& table, qint64 rowKey, const QVariantList& storedRow,
                   const std::vector<ColumnChange>& changes);

// Whether a table's changes are logged: all but the sign-in logs, which are logs themselves.
bool isLogged(const Table& table);

// The log's columns in their order, key first.
QStringList changeLogColumns();

// The tables whose changes are logged: all but the sign-in logs, which are logs themselves.
QStringList loggedTables();
