#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "store/engine/engine.h"
#include "store/statement.h"

class SqlDialect;
struct sqlite3;

// Who writes through a connection, for the change log: the signed-in name
// and the form or tool.
struct ChangeAuthor {
  QString login;
  QString source;
};

// An open connection to the database: the encrypted file, or a database on a
// server when the location is a postgresql:// address. Every form owns its own.
class Connection {
 public:
  enum class OpenMode { Existing, CreateNew };

  // An existing database is brought up to date first (see store/layout/opening.cpp).
  static std::unique_ptr<Connection> open(const QString& location, OpenMode mode = OpenMode::Existing);
  // Opens a session and runs `prepare` on an existing database before handing
  // it out; a kept server session that turns out lost on the way is replaced.
  static std::unique_ptr<Connection> openWith(const QString& location, OpenMode mode,
                                              const std::function<void(Connection&)>& prepare);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // The file's path, or the server address without its password: fit for messages.
  const QString& path() const { return shown_; }
  // The location as given, a password included: for the server's own tools only.
  const QString& address() const { return address_; }
  EngineKind engine() const { return session_->kind(); }
  const SqlDialect& dialect() const;
  EngineSession& session() { return *session_; }
  sqlite3* fileHandle() const;  // the file engine's own handle, else null

  void execute(const QString& sql);  // fixed texts only, never user input
  // The same fixed text prepared once for this connection, ready to bind;
  // reset it after use, so that it holds no reading open.
  Statement& cachedStatement(const QString& sql);
  // From any thread: the statement running now on this connection stops with an error.
  void interrupt() { session_->interrupt(); }
  qint64 lastInsertId() const { return session_->lastInsertId(); }
  int changedRows() const { return session_->changedRows(); }

  const ChangeAuthor& author() const { return author_; }
  void setAuthor(const ChangeAuthor& author) { author_ = author; }

  // Transactions: see Transaction. Undo actions restore in-memory state of
  // record sets whose writes a rollback takes back.
  bool inTransaction() const { return inTransaction_; }
  void begin();
  void commit();
  void rollback();
  void onRollback(std::function<void()> undo);

  // The change log's last entry as this connection appended it in the open
  // write transaction: nobody else appends while the write lock is held, so
  // the next entry needs no look-up. Forgotten whenever a transaction ends.
  struct LogHead {
    qint64 key = 0;
    QString seal;
  };
  std::optional<LogHead>& logHead() { return logHead_; }

 private:
  Connection(std::unique_ptr<EngineSession> session, const QString& address)
      : session_(std::move(session)), address_(address), shown_(session_->shownLocation()) {}

  std::unique_ptr<EngineSession> session_;
  QString address_;
  QString shown_;
  bool inTransaction_ = false;
  ChangeAuthor author_;
  std::vector<std::function<void()>> undoOnRollback_;
  std::optional<LogHead> logHead_;
  std::unordered_map<QString, std::unique_ptr<Statement>> cached_;  // last: finalized before the session closes
};
