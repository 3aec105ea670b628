#pragma once

#include <QString>
#include <QStringList>

#include "store/engine/engine.h"

class Connection;
struct Column;
struct Table;

// The few places where the file engine and the server engine spell SQL
// differently. Everything else the store writes in the SQL both understand.
class SqlDialect {
 public:
  virtual ~SqlDialect() = default;
  static const SqlDialect& of(EngineKind kind);

  // A column of one of the ten tables, with its type and CHECK.
  virtual QString columnDefinition(const Column& column) const = 0;
  // What a table of only plain columns adds so that its rows can be addressed.
  virtual QString hiddenRowKeyDefinition() const = 0;
  // The column a row is addressed by: its key, or the engine's row number.
  static QString rowKey(const Table& table);
  // The row key, then every column of the table in order, quoted for a SELECT.
  static QString keyAndColumns(const Table& table);
  // Text in the store's own tables; it sorts byte by byte, as in the file.
  virtual QString textType() const = 0;

  // `column` equals the next parameter, nulls equal to nulls.
  virtual QString sameAsParameter(const QString& column) const = 0;
  // An ORDER BY term; nulls come first ascending and last descending in both
  // engines. Of a column that is never null, the engine's plain order, which
  // its primary key index gives either way.
  virtual QString orderTerm(const QString& expression, bool descending, bool neverNull = false) const = 0;
  // An INSERT ... SELECT (given without its leading INSERT) that skips rows
  // its table's key already holds.
  virtual QString insertSkippingKnown(const QString& intoAndSelect) const = 0;
  // Appended to an INSERT so that stepping it yields the new row's key.
  virtual QString returningKey(const QString& keyColumn) const = 0;

  // A row trigger running `body` (statements ending in ';', rows as new/old).
  virtual QStringList createTrigger(const QString& name, const QString& timing, const QString& body) const = 0;
  // A trigger refusing every `event` (UPDATE or DELETE) on `table`.
  virtual QStringList createRefusal(const QString& name, const QString& event, const QString& table,
                                    const QString& message) const = 0;

  virtual QString changeLogKeyDefinition() const = 0;
  // Statements that keep the highest change-log key ever written, and the query reading it.
  virtual QStringList createChangeLogHighWater() const = 0;
  virtual QString changeLogHighWater() const = 0;

  virtual bool hasTable(Connection& connection, const QString& table) const = 0;
  virtual QStringList indexNames(Connection& connection) const = 0;
  virtual int schemaVersion(Connection& connection) const = 0;
  virtual void setSchemaVersion(Connection& connection, int version) const = 0;
  // The engine's own check of its storage: "ok", or what it found.
  virtual QString integrityCheck(Connection& connection) const = 0;
  // Before a new database is filled in one go: the file engine keeps much of
  // it in memory meanwhile, and the journals of each row's savepoint too.
  virtual void prepareBulkLoad(Connection& connection) const = 0;
  // What a write transaction left for its commit is done now: a server builds
  // no index on a table with such work pending (the change log's high-water
  // mark, raised at commit).
  virtual void settleDeferredWork(Connection& connection) const = 0;
  // After a database was filled in one go: the planner learns the new sizes at
  // once instead of when the server next gets round to it.
  virtual void refreshStatistics(Connection& connection) const = 0;
  // After rows were copied in with their keys: new keys continue after them.
  virtual void continueKeysAfterCopy(Connection& connection, const Table& table) const = 0;
};
