#include "store/connection.h"

#include "store/basics/dberror.h"
#include "store/engine/fileengine.h"
#include "store/engine/idlesessions.h"
#include "store/engine/serverengine.h"
#include "store/engine/serverlocation.h"
#include "store/statement.h"

namespace {

bool lostOnTheWay(const DbError& error) {
  return error.kind() == DbErrorKind::ConnectionLost || error.kind() == DbErrorKind::Unreachable;
}

}  // namespace

std::unique_ptr<Connection> Connection::openWith(const QString& location, OpenMode mode,
                                                 const std::function<void(Connection&)>& prepare) {
  const bool createNew = mode == OpenMode::CreateNew;
  std::unique_ptr<Connection> connection;
  if (isServerLocation(location)) {
    if (auto idle = createNew ? nullptr : takeIdleSession(location)) {
      connection.reset(new Connection(std::move(idle), location));
      try {
        prepare(*connection);
        return connection;
      } catch (const DbError& error) {
        if (!lostOnTheWay(error)) throw;  // a server restarted meanwhile ended the kept session: open a new one
        connection->session_.reset();
      }
    }
    connection.reset(new Connection(ServerSession::open(location, createNew), location));
  } else {
    connection.reset(new Connection(FileSession::open(location, createNew), location));
  }
  if (!createNew) prepare(*connection);
  return connection;
}


Connection::~Connection() {
  if (!session_) return;
  if (inTransaction_) session_->rollbackQuietly();
  if (session_->kind() == EngineKind::Server) keepIdleSession(address_, std::move(session_));
}

sqlite3* Connection::fileHandle() const {
  const auto* file = dynamic_cast<const FileSession*>(session_.get());
  return file ? file->handle() : nullptr;
}

void Connection::execute(const QString& sql) { session_->execute(sql); }

Statement& Connection::cachedStatement(const QString& sql) {
  std::unique_ptr<Statement>& statement = cached_[sql];
  if (!statement) statement = std::make_unique<Statement>(*this, sql);
  statement->reset();
  return *statement;
}

void Connection::begin() {
  if (inTransaction_) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: transaction already open"));
  session_->beginWriting();
  inTransaction_ = true;
  logHead_.reset();
}

void Connection::commit() {
  try {
    session_->commit();
  } catch (...) {
    rollback();  // a refused commit leaves nothing stored, and the record sets as they were
    throw;
  }
  inTransaction_ = false;
  undoOnRollback_.clear();
  logHead_.reset();
}

void Connection::rollback() {
  if (!inTransaction_) return;
  session_->rollbackQuietly();
  inTransaction_ = false;
  logHead_.reset();
  auto undo = std::move(undoOnRollback_);
  undoOnRollback_.clear();
  for (auto it = undo.rbegin(); it != undo.rend(); ++it) (*it)();
}

void Connection::onRollback(std::function<void()> undo) {
  if (inTransaction_) undoOnRollback_.push_back(std::move(undo));
}

// A statement is prepared by its connection's engine session.
Statement::Statement(Connection& connection, const QString& sql) : engine_(connection.session().prepare(sql)) {}
