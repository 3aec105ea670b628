#pragma once

#include <QString>
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
};

class EngineSession {
 public:
  virtual ~EngineSession() = default;
  virtual EngineKind kind() const = 0;
  virtual std::unique_ptr<EngineStatement> prepare(const QString& sql) = 0;
  virtual void execute(const QString& sql) = 0;
  virtual qint64 lastInsertId() const = 0;
  virtual int changedRows() const = 0;
  // Starts a transaction holding the write lock: one writer at a time, as
  // the commit-time checks and the change log's seal chain require.
  virtual void beginWriting() = 0;
  virtual void commit() = 0;
  virtual void rollbackQuietly() = 0;  // after a failure: never throws
  // Still connected and outside any transaction: fit for the next connection.
  virtual bool canBeReused() const = 0;
  // From any thread: the statement running now stops with an error.
  virtual void interrupt() = 0;
};
