#pragma once

#include <QByteArray>
#include <functional>
#include <memory>

#include "store/engine/engine.h"

struct pg_cancel;
struct pg_conn;
struct pg_result;

// The server engine: a database on a PostgreSQL server, through libpq. The
// address is a connection URI; libpq's own conventions apply besides (PG*
// variables, ~/.pgpass, sslmode).
class ServerSession : public EngineSession {
 public:
  // Refuses an unreachable server, a refused sign-in, a missing database, and
  // a database without VANTORA's tables (unless `createNew`, which instead
  // refuses a database that holds them already).
  static std::unique_ptr<ServerSession> open(const QString& uri, bool createNew);
  ~ServerSession() override;

  EngineKind kind() const override { return EngineKind::Server; }
  const QString& shownLocation() const override { return shown_; }
  std::unique_ptr<EngineStatement> prepare(const QString& sql) override;
  void execute(const QString& sql) override;
  std::unique_ptr<EngineBulkLoad> bulkLoad(const QString& table, const QStringList& columns) override;
  qint64 lastInsertId() const override { return 0; }  // inserts return their keys
  int changedRows() const override { return changedRows_; }
  void beginWriting() override;
  void beginReading() override;
  void commit() override;
  void rollbackQuietly() override;
  bool canBeReused() const override;
  void interrupt() override;

  // Used by the statements.
  pg_conn* handle();  // reconnects first if the server went away between statements
  void check(pg_result* result);  // throws the matching DbError and frees `result` unless it succeeded
  // Sends a statement through `send` and returns its result, checked.
  pg_result* run(const QByteArray& sql, const std::function<pg_result*(pg_conn*)>& send);
  void abandonCopy();  // never throws

 private:
  ServerSession(pg_conn* connection, const QString& shown) : connection_(connection), shown_(shown) {}
  void prepareSession();

  pg_conn* connection_;
  pg_cancel* cancel_ = nullptr;  // made on this session's thread, used from any
  QString shown_;
  int changedRows_ = 0;
  enum class Open { Nothing, Reading, Writing };
  Open transaction_ = Open::Nothing;
  bool broken_ = false;  // a statement failed for want of a connection
};
