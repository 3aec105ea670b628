#pragma once

#include <memory>

#include "store/engine/engine.h"

// The database password; it is the encryption key of the file.
inline constexpr char kDatabaseKey[] = "kelv42";

struct sqlite3;

// Larger pages make new files smaller and their lists faster; files made with
// 1 KB pages open as they are.
constexpr int kNewFilePageSize = 4096;

// The embedded engine: one encrypted file, opened with the program's key.
class FileSession : public EngineSession {
 public:
  // Refuses a missing, foreign, wrongly keyed, empty (unless `createNew`),
  // locked or read-only file with a message a clerk can act on. A new file
  // takes `newPageSize`.
  static std::unique_ptr<FileSession> open(const QString& path, bool createNew, int newPageSize = kNewFilePageSize);
  ~FileSession() override;

  sqlite3* handle() const { return db_; }
  int pageSize() const { return pageSize_; }
  [[noreturn]] void raise(int resultCode) const;

  EngineKind kind() const override { return EngineKind::File; }
  const QString& shownLocation() const override { return path_; }
  std::unique_ptr<EngineStatement> prepare(const QString& sql) override;
  void execute(const QString& sql) override;
  std::unique_ptr<EngineBulkLoad> bulkLoad(const QString& table, const QStringList& columns) override;
  qint64 lastInsertId() const override;
  int changedRows() const override;
  void beginWriting() override;
  void beginReading() override;
  void commit() override;
  void rollbackQuietly() override;
  bool canBeReused() const override { return false; }  // a file opens in a moment
  void interrupt() override;

 private:
  FileSession(sqlite3* db, const QString& path, int pageSize) : db_(db), path_(path), pageSize_(pageSize) {}

  sqlite3* db_;
  QString path_;
  int pageSize_;
};
