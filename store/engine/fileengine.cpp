#include "store/engine/fileengine.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <cstdlib>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/engine/sqlcipher.h"

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

QString errorText(sqlite3* db) { return QString::fromUtf8(sqlcipher().sqlite3_errmsg(db)); }

[[noreturn]] void failOpening(sqlite3* db, DbErrorKind kind, const QString& message) {
  sqlcipher().sqlite3_close_v2(db);
  throw DbError(kind, message);
}

sqlite3* openFile(const QString& path) {
  sqlite3* db = nullptr;
  const QByteArray file = path.toUtf8();
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
  if (sqlcipher().sqlite3_open_v2(file.constData(), &db, flags, nullptr) != SQLITE_OK)
    failOpening(db, DbErrorKind::FileMissing,
                QStringLiteral("The database file %1 could not be opened: %2").arg(path, errorText(db)));
  sqlcipher().sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlcipher().sqlite3_extended_result_codes(db, 1);  // tells a duplicate number from other refusals
  return db;
}

// The key is fixed in the program, so SQLCipher's slow key derivation would
// guard nothing and cost every form's connection most of its opening time.
// New files take a raw 256-bit key, hashed from the password once per process,
// which SQLCipher uses as it is.
void useRawKey(sqlite3* db) {
  static const QByteArray key =
      "x'" + QCryptographicHash::hash(kDatabaseKey, QCryptographicHash::Sha256).toHex() + "'";
  sqlcipher().sqlite3_key(db, key.constData(), int(key.size()));
}

// Files made before the raw key: the password through 4000 rounds of derivation.
void usePasswordKey(sqlite3* db) {
  sqlcipher().sqlite3_key(db, kDatabaseKey, int(sizeof kDatabaseKey - 1));
  sqlcipher().sqlite3_exec(db, "PRAGMA kdf_iter = 4000", nullptr, nullptr, nullptr);
}

// The page size is part of an encrypted file's format and cannot be read from
// it, so each way files have been made is tried in turn, newest first.
struct FileFormat {
  void (*useKey)(sqlite3*);
  int pageSize;
};
constexpr FileFormat kFormats[] = {{useRawKey, kNewFilePageSize}, {useRawKey, 1024}, {usePasswordKey, 1024}};

void useFormat(sqlite3* db, const FileFormat& format) {
  format.useKey(db);
  const QByteArray pageSize = "PRAGMA cipher_page_size = " + QByteArray::number(format.pageSize);
  sqlcipher().sqlite3_exec(db, pageSize.constData(), nullptr, nullptr, nullptr);
}

// The first read proves the key: a wrong key or a foreign file fails here.
int readTableCount(sqlite3* db, int& tables) {
  const auto store = [](void* count, int, char** values, char**) {
    *static_cast<int*>(count) = std::atoi(values[0]);
    return 0;
  };
  return sqlcipher().sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", store, &tables, nullptr);
}

class FileStatement : public EngineStatement {
 public:
  FileStatement(const FileSession& session, const QString& sql) : session_(session) {
    const QByteArray text = sql.toUtf8();
    const int rc =
        sqlcipher().sqlite3_prepare_v2(session.handle(), text.constData(), int(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) session_.raise(rc);
  }
  ~FileStatement() override { sqlcipher().sqlite3_finalize(stmt_); }

  void bind(int position, const QVariant& value) override {
    int rc = SQLITE_OK;
    if (value.isNull() || !value.isValid()) {
      rc = sqlcipher().sqlite3_bind_null(stmt_, position);
    } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
               value.typeId() == QMetaType::Short || value.typeId() == QMetaType::UInt) {
      rc = sqlcipher().sqlite3_bind_int64(stmt_, position, value.toLongLong());
    } else if (value.typeId() == QMetaType::Double) {
      rc = sqlcipher().sqlite3_bind_double(stmt_, position, value.toDouble());
    } else {
      const QByteArray text = value.toString().toUtf8();
      rc = sqlcipher().sqlite3_bind_text(stmt_, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) session_.raise(rc);
  }

  bool step() override {
    const int rc = sqlcipher().sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlcipher().sqlite3_reset(stmt_);
    session_.raise(rc);
  }

  void reset() override {
    sqlcipher().sqlite3_reset(stmt_);
    sqlcipher().sqlite3_clear_bindings(stmt_);
  }

  int columnCount() override { return sqlcipher().sqlite3_column_count(stmt_); }
  QString columnName(int column) override { return QString::fromUtf8(sqlcipher().sqlite3_column_name(stmt_, column)); }

  QVariant value(int column) const override {
    switch (sqlcipher().sqlite3_column_type(stmt_, column)) {
      case SQLITE_INTEGER:
        return QVariant(qint64(sqlcipher().sqlite3_column_int64(stmt_, column)));
      case SQLITE_FLOAT:
        return QVariant(sqlcipher().sqlite3_column_double(stmt_, column));
      case SQLITE_NULL:
        return QVariant();
      default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlcipher().sqlite3_column_text(stmt_, column)),
                                          sqlcipher().sqlite3_column_bytes(stmt_, column)));
    }
  }

  // Text as stored: the bytes value() decodes. A stored byte sequence that is
  // not UTF-8 thus differs here, where value() would have hidden it.
  bool appendText(int column, QByteArray& out) const override {
    switch (sqlcipher().sqlite3_column_type(stmt_, column)) {
      case SQLITE_INTEGER:
        out += QByteArray::number(qint64(sqlcipher().sqlite3_column_int64(stmt_, column)));
        return true;
      case SQLITE_FLOAT:  // Qt's form, not the engine's
        out += value(column).toString().toUtf8();
        return true;
      case SQLITE_NULL:
        return false;
      default:
        out.append(reinterpret_cast<const char*>(sqlcipher().sqlite3_column_text(stmt_, column)),
                   sqlcipher().sqlite3_column_bytes(stmt_, column));
        return true;
    }
  }

 private:
  const FileSession& session_;
  sqlite3_stmt* stmt_ = nullptr;
};

// The engine is in the process: one prepared INSERT per row is as fast as it gets.
class FileBulkLoad : public EngineBulkLoad {
 public:
  FileBulkLoad(FileSession& session, const QString& table, const QStringList& columns) {
    QStringList names;
    for (const QString& column : columns) names << '"' + column + '"';
    insert_ = session.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                  .arg(table, names.join(QStringLiteral(", ")),
                                       QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
  }
  void add(const QVariantList& row) override {
    insert_->reset();
    for (int i = 0; i < row.size(); ++i) insert_->bind(i + 1, row[i]);
    insert_->step();
  }
  void finish() override {}

 private:
  std::unique_ptr<EngineStatement> insert_;
};

}  // namespace

std::unique_ptr<FileSession> FileSession::open(const QString& path, bool createNew, int newPageSize) {
  // A new database starts as an empty file that only its owner may read; SQLite
  // takes it as a new database, and its journals copy the file's permissions.
  if (createNew)
    createOwnerOnlyFile(path);
  else
    refuseUnusablePath(QFileInfo(path));

  int tables = 0;
  sqlite3* db = nullptr;
  int probe = SQLITE_NOTADB;
  int pageSize = 0;
  for (const FileFormat& format : kFormats) {
    if (createNew && format.pageSize != newPageSize) continue;
    if (db) sqlcipher().sqlite3_close_v2(db);
    db = openFile(path);
    useFormat(db, format);
    probe = readTableCount(db, tables);
    if (probe != SQLITE_NOTADB) {
      pageSize = format.pageSize;
      break;
    }
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
                QStringLiteral("The database file %1 could not be read: %2").arg(path, errorText(db)));
  if (!createNew && tables == 0)
    failOpening(db, DbErrorKind::EmptyFile,
                QStringLiteral("The file %1 is empty: it holds no VANTORA database. It may have been cut short "
                               "while it was being made. Move it aside, then restore a backup copy in its place "
                               "or create a new database with \"vantora-db init\".")
                    .arg(path));
  if (sqlcipher().sqlite3_db_readonly(db, "main") == 1)
    failOpening(db, DbErrorKind::ReadOnly,
                QStringLiteral("The database file %1 is read-only, so nothing could be saved. Ask for write "
                               "permission on the file and its folder.")
                    .arg(path));

  std::unique_ptr<FileSession> session(new FileSession(db, path, pageSize));
  // One file that can be copied between sessions, and every commit on disk.
  session->execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
  session->execute(QStringLiteral("PRAGMA synchronous=FULL"));
  return session;
}

FileSession::~FileSession() { sqlcipher().sqlite3_close_v2(db_); }

std::unique_ptr<EngineStatement> FileSession::prepare(const QString& sql) {
  return std::make_unique<FileStatement>(*this, sql);
}

void FileSession::execute(const QString& sql) {
  const QByteArray text = sql.toUtf8();
  const int rc = sqlcipher().sqlite3_exec(db_, text.constData(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) raise(rc);
}

std::unique_ptr<EngineBulkLoad> FileSession::bulkLoad(const QString& table, const QStringList& columns) {
  return std::make_unique<FileBulkLoad>(*this, table, columns);
}

qint64 FileSession::lastInsertId() const { return sqlcipher().sqlite3_last_insert_rowid(db_); }

int FileSession::changedRows() const { return sqlcipher().sqlite3_changes(db_); }

void FileSession::beginWriting() { execute(QStringLiteral("BEGIN IMMEDIATE")); }

// The read lock is taken at the first read, not at BEGIN.
void FileSession::beginReading() {
  execute(QStringLiteral("BEGIN"));
  try {
    execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
  } catch (...) {
    rollbackQuietly();
    throw;
  }
}

void FileSession::commit() { execute(QStringLiteral("COMMIT")); }

void FileSession::interrupt() { sqlcipher().sqlite3_interrupt(db_); }

void FileSession::rollbackQuietly() { sqlcipher().sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr); }

void FileSession::raise(int resultCode) const {
  const QString detail = errorText(db_);
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

