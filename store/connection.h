#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;

// Who writes through a connection, for the change log: the signed-in name
// and the form or tool.
struct ChangeAuthor {
  QString login;
  QString source;
};

// An open, keyed connection to the database file. Every form owns its own.
class Connection {
 public:
  enum class OpenMode { Existing, CreateNew };

  static std::unique_ptr<Connection> open(const QString& path, OpenMode mode = OpenMode::Existing);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const QString& path() const { return path_; }
  sqlite3* handle() const { return db_; }

  void execute(const QString& sql);  // fixed texts only, never user input
  qint64 lastInsertId() const;
  int changedRows() const;

  const ChangeAuthor& author() const { return author_; }
  void setAuthor(const ChangeAuthor& author) { author_ = author; }

  // Turns an engine result code into the matching DbError.
  [[noreturn]] void raise(int resultCode) const;

  // Transactions: see Transaction. Undo actions restore in-memory state of
  // record sets whose writes a rollback takes back.
  bool inTransaction() const { return inTransaction_; }
  void begin();
  void commit();
  void rollback();
  void onRollback(std::function<void()> undo);

 private:
  Connection(sqlite3* db, const QString& path) : db_(db), path_(path) {}

  sqlite3* db_;
  QString path_;
  bool inTransaction_ = false;
  ChangeAuthor author_;
  std::vector<std::function<void()>> undoOnRollback_;
};

// The database password; it is the encryption key of the file.
inline constexpr char kDatabaseKey[] = "kelv42";
