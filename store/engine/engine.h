#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// What the rest of the store needs from a database engine. The embedded file
// engine and the server engine each implement it; nothing outside store/
// knows which one a connection uses.
enum class EngineKind { File, Server };

class EngineStatement {
 public:
  virtual ~EngineStatement() = default;
  virtual void bind(int position, const QVariant& value) = 0;  // position counts from 1
  virtual bool step() = 0;                                       // true while a row is available
  virtual void reset() = 0;                                      // forgets bound values too
  virtual int columnCount() = 0;
  virtual QString columnName(int column) = 0;
  virtual QVariant value(int column) const = 0;
  // The value's text, as value(column).toString() gives it, appended in UTF-8;
  // false, appending nothing, for a null. Lets a reader of every row hash its
  // values without making a QVariant and a QString of each.
  virtual bool appendText(int column, QByteArray& out) const {
    const QVariant v = value(column);
    if (v.isNull()) return false;
    out += v.toString().toUtf8();
    return true;
  }
};

// Many whole rows into one table in one go, for copying a whole database.
class EngineBulkLoad {
 public:
  virtual ~EngineBulkLoad() = default;
  virtual void add(const QVariantList& row) = 0;  // values as they would be bound
  virtual void finish() = 0;                      // every row is in the table once it returns
};

class EngineSession {
 public:
  virtual ~EngineSession() = default;
  virtual EngineKind kind() const = 0;
  // Where the data is, fit for messages: never a password.
  virtual const QString& shownLocation() const = 0;
  virtual std::unique_ptr<EngineStatement> prepare(const QString& sql) = 0;
  virtual void execute(const QString& sql) = 0;
  virtual std::unique_ptr<EngineBulkLoad> bulkLoad(const QString& table, const QStringList& columns) = 0;
  virtual qint64 lastInsertId() const = 0;
  virtual int changedRows() const = 0;
  // Starts a transaction holding the write lock: one writer at a time, as
  // the commit-time checks and the change log's seal chain require.
  virtual void beginWriting() = 0;
  // Starts a read-only transaction: every statement until it ends sees the
  // database as it stood at its start. The file holds its read lock for it.
  virtual void beginReading() = 0;
  virtual void commit() = 0;
  virtual void rollbackQuietly() = 0;  // after a failure, or to end a reading: never throws
  // Still connected and outside any transaction: fit for the next connection.
  virtual bool canBeReused() const = 0;
  // From any thread: the statement running now stops with an error.
  virtual void interrupt() = 0;
};
