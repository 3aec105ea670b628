#include "store/connection.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFileInfo>
#include <cstdlib>

#include "store/dberror.h"
#include "store/owneronlyfile.h"
#include "store/schemaversion.h"

namespace {

constexpr int kBusyTimeoutMs = 4000;

QString missingFileMessage(const QString& path) {
  return QStringLiteral(
             "The database file was not found.\nLooked for: %1\n\n"
             "Create one with \"vantora-db init\" (empty, with your sign-in names) or "
             "\"vantora-db demo\" (with example data), or point VANTORA_DATABASE or "
             "--database at the right file.")
      .arg(path);
}

// SQLite writes a journal file beside the database while it saves, so the
// folder must be writable as well as the file.
QString unwritableFolderMessage(const QString& path) {
  return QStringLiteral(
             "The folder %1 holding the database file %2 does not allow writing, so nothing can be saved: "
             "the database needs to write a journal file beside itself while it saves. Ask for write "
             "permission on that folder.")
      .arg(QFileInfo(path).absolutePath(), path);
}

// Told before the engine sees the path: its own words would be "unable to open
// database file" at the first write, or "no such table" later.
void refuseUnusablePath(const QFileInfo& info) {
  const QString path = info.filePath();
  if (info.isDir())
    throw DbError(DbErrorKind::FileMissing,
                  QStringLiteral("%1 is a folder, not a database file. Point VANTORA_DATABASE or --database at "
                                 "the database file itself.")
                      .arg(path));
  if (!info.exists()) throw DbError(DbErrorKind::FileMissing, missingFileMessage(path));
  if (!QFileInfo(info.absolutePath()).isWritable())
    throw DbError(DbErrorKind::ReadOnly, unwritableFolderMessage(path));
}

[[noreturn]] void failOpening(sqlite3* db, DbErrorKind kind, const QString& message) {
  sqlite3_close_v2(db);
  throw DbError(kind, message);
}

sqlite3* openFile(const QString& path) {
  sqlite3* db = nullptr;
  const QByteArray file = path.toUtf8();
  if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK)
    failOpening(db, DbErrorKind::FileMissing,
                QStringLiteral("The database file %1 could not be opened: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db))));
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db, 1);  // tells a duplicate number from other refusals
  return db;
}

// The key is fixed in the program, so SQLCipher's slow key derivation would
// guard nothing and cost every form's connection most of its opening time.
// New files take a raw 256-bit key, hashed from the password once per process,
// which SQLCipher uses as it is.
void useRawKey(sqlite3* db) {
  static const QByteArray key =
      "x'" + QCryptographicHash::hash(kDatabaseKey, QCryptographicHash::Sha256).toHex() + "'";
  sqlite3_key(db, key.constData(), int(key.size()));
}

// Files made before the raw key: the password through 4000 rounds of derivation.
void usePasswordKey(sqlite3* db) {
  sqlite3_key(db, kDatabaseKey, int(sizeof kDatabaseKey - 1));
  sqlite3_exec(db, "PRAGMA kdf_iter = 4000", nullptr, nullptr, nullptr);
}

// The first read proves the key: a wrong key or a foreign file fails here.
int readTableCount(sqlite3* db, int& tables) {
  const auto store = [](void* count, int, char** values, char**) {
    *static_cast<int*>(count) = std::atoi(values[0]);
    return 0;
  };
  return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", store, &tables, nullptr);
}

}  // namespace

std::unique_ptr<Connection> Connection::open(const QString& path, OpenMode mode) {
  // A new database starts as an empty file that only its owner may read; SQLite
  // takes it as a new database, and its journals copy the file's permissions.
  if (mode == OpenMode::CreateNew)
    createOwnerOnlyFile(path);
  else
    refuseUnusablePath(QFileInfo(path));

  int tables = 0;
  sqlite3* db = openFile(path);
  useRawKey(db);
  int probe = readTableCount(db, tables);
  if (probe == SQLITE_NOTADB) {  // perhaps a file made before the raw key; it is never rekeyed
    sqlite3_close_v2(db);
    db = openFile(path);
    usePasswordKey(db);
    probe = readTableCount(db, tables);
  }
  if (probe == SQLITE_NOTADB)
    failOpening(db, DbErrorKind::WrongKey,
                QStringLiteral("The file %1 cannot be opened: it is not a VANTORA database, or its password "
                               "does not match.")
                    .arg(path));
  if (probe == SQLITE_BUSY || probe == SQLITE_LOCKED)
    failOpening(db, DbErrorKind::Locked,
                QStringLiteral("The database file %1 is locked by another program. Close it there and try again.")
                    .arg(path));
  if (probe != SQLITE_OK)
    failOpening(db, DbErrorKind::Other,
                QStringLiteral("The database file %1 could not be read: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db))));
  if (mode == OpenMode::Existing && tables == 0)
    failOpening(db, DbErrorKind::EmptyFile,
                QStringLiteral("The file %1 is empty: it holds no VANTORA database. It may have been cut short "
                               "while it was being made. Move it aside, then restore a backup copy in its place "
                               "or create a new database with \"vantora-db init\".")
                    .arg(path));
  if (sqlite3_db_readonly(db, "main") == 1)
    failOpening(db, DbErrorKind::ReadOnly,
                QStringLiteral("The database file %1 is read-only, so nothing could be saved. Ask for write "
                               "permission on the file and its folder.")
                    .arg(path));

  std::unique_ptr<Connection> connection(new Connection(db, path));
  // One file that can be copied between sessions, and every commit on disk.
  connection->execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
  connection->execute(QStringLiteral("PRAGMA synchronous=FULL"));
  if (mode == OpenMode::Existing) requireCurrentSchema(*connection);
  return connection;
}

Connection::~Connection() {
  if (inTransaction_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(db_);
}

void Connection::execute(const QString& sql) {
  const QByteArray text = sql.toUtf8();
  const int rc = sqlite3_exec(db_, text.constData(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) raise(rc);
}

qint64 Connection::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

int Connection::changedRows() const { return sqlite3_changes(db_); }

void Connection::raise(int resultCode) const {
  const QString detail = QString::fromUtf8(sqlite3_errmsg(db_));
  switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      throw DbError(DbErrorKind::Locked,
                    QStringLiteral("The database is busy in another window or program. Nothing was saved; "
                                   "please try again."));
    case SQLITE_READONLY:
      throw DbError(DbErrorKind::ReadOnly,
                    QStringLiteral("The database file %1 is read-only. Nothing was saved.").arg(path_));
    case SQLITE_CANTOPEN:
      throw DbError(DbErrorKind::ReadOnly, unwritableFolderMessage(path_));
    case SQLITE_FULL:
      throw DbError(DbErrorKind::DiskFull,
                    QStringLiteral("The disk holding %1 is full. Nothing was saved; free some space and try "
                                   "again.")
                        .arg(path_));
    case SQLITE_NOTADB:
      throw DbError(DbErrorKind::WrongKey,
                    QStringLiteral("The file %1 is not a VANTORA database, or its password does not match.").arg(path_));
    case SQLITE_CONSTRAINT:
      if (resultCode == SQLITE_CONSTRAINT_UNIQUE)
        throw DbError(DbErrorKind::Duplicate,
                      QStringLiteral("This document number is already stored, so nothing was saved. Please write "
                                     "another number."));
      throw DbError(DbErrorKind::BadValue, QStringLiteral("A value does not fit its column: %1").arg(detail));
    default:
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: %1").arg(detail));
  }
}

void Connection::begin() {
  if (inTransaction_) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: transaction already open"));
  execute(QStringLiteral("BEGIN IMMEDIATE"));
  inTransaction_ = true;
}

void Connection::commit() {
  execute(QStringLiteral("COMMIT"));
  inTransaction_ = false;
  undoOnRollback_.clear();
}

void Connection::rollback() {
  if (!inTransaction_) return;
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  inTransaction_ = false;
  auto undo = std::move(undoOnRollback_);
  undoOnRollback_.clear();
  for (auto it = undo.rbegin(); it != undo.rend(); ++it) (*it)();
}

void Connection::onRollback(std::function<void()> undo) {
  if (inTransaction_) undoOnRollback_.push_back(std::move(undo));
}
