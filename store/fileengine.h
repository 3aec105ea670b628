#pragma once

#include <memory>

#include "store/engine.h"

struct sqlite3;

// The embedded engine: one encrypted file, opened with the program's key.
class FileSession : public EngineSession {
 public:
  // Refuses a missing, foreign, wrongly keyed, empty (unless `createNew`),
  // locked or read-only file with a message a clerk can act on.
  static std::unique_ptr<FileSession> open(const QString& path, bool createNew);
  ~FileSession() override;

  sqlite3* handle() const { return db_; }
  [[noreturn]] void raise(int resultCode) const;

  EngineKind kind() const override { return EngineKind::File; }
  std::unique_ptr<EngineStatement> prepare(const QString& sql) override;
  void execute(const QString& sql) override;
  qint64 lastInsertId() const override;
  int changedRows() const override;
  void beginWriting() override;
  void commit() override;
  void rollbackQuietly() override;
  bool canBeReused() const override { return false; }  // a file opens in a moment
  void interrupt() override;

 private:
  FileSession(sqlite3* db, const QString& path) : db_(db), path_(path) {}

  sqlite3* db_;
  QString path_;
};
