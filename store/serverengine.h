#pragma once

#include <memory>

#include "store/engine.h"

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
  std::unique_ptr<EngineStatement> prepare(const QString& sql) override;
  void execute(const QString& sql) override;
  qint64 lastInsertId() const override { return 0; }  // inserts return their keys
  int changedRows() const override { return changedRows_; }
  void beginWriting() override;
  void commit() override;
  void rollbackQuietly() override;
  bool canBeReused() const override;
  void interrupt() override;

  // Used by the statements.
  pg_conn* handle();  // reconnects first if the server went away between statements
  void check(pg_result* result);  // throws the matching DbError and frees `result` unless it succeeded
  void noteChanged(pg_result* result);

 private:
  ServerSession(pg_conn* connection, const QString& shown) : connection_(connection), shown_(shown) {}
  void prepareSession();

  pg_conn* connection_;
  pg_cancel* cancel_ = nullptr;  // made on this session's thread, used from any
  QString shown_;
  int changedRows_ = 0;
  bool inTransaction_ = false;
};
