#include "store/filepages.h"

#include <QFile>
#include <algorithm>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/connection.h"
#include "store/engine/fileengine.h"
#include "store/engine/sqlcipher.h"

namespace {
constexpr qint64 kChunkBytes = 1 << 20;
}  // namespace

// The engine copies pages as they are, so the copy takes its source's page size.
void backUpFilePages(Connection& source, const QString& partialPath) {
  const auto& sourceFile = static_cast<const FileSession&>(source.session());
  auto destination = FileSession::open(partialPath, true, sourceFile.pageSize());
  FileSession& file = *destination;
  sqlite3_backup* backup = sqlcipher().sqlite3_backup_init(file.handle(), "main", sourceFile.handle(), "main");
  if (!backup) file.raise(sqlcipher().sqlite3_errcode(file.handle()));
  // One step copies every page. Inside it the source's busy handler already waits
  // its few seconds for a lock held elsewhere; retrying after that would only
  // freeze the window for as long as the other program keeps the file.
  const int rc = sqlcipher().sqlite3_backup_step(backup, -1);
  sqlcipher().sqlite3_backup_finish(backup);
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    throw DbError(DbErrorKind::Locked,
                  QStringLiteral("the database is in use by another window or program, so nothing was copied. "
                                 "Please try again in a moment."));
  if (rc != SQLITE_DONE) file.raise(rc);
}

// The file's bytes as they stand, read through the engine's own handle while
// the read lock is held: no writer can commit meanwhile, and no second handle
// on the file is opened (closing one would drop this process's locks on it).
void copyFileBytes(Connection& live, const QString& path) {
  sqlite3_file* file = nullptr;
  const int rc = sqlcipher().sqlite3_file_control(live.fileHandle(), "main", SQLITE_FCNTL_FILE_POINTER, &file);
  if (rc != SQLITE_OK || !file || !file->pMethods)
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the database file cannot be read."));
  sqlite3_int64 size = 0;
  if (file->pMethods->xFileSize(file, &size) != SQLITE_OK)
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the size of the database file cannot be read."));
  createOwnerOnlyFile(path);
  QFile copy(path);
  if (!copy.open(QIODevice::WriteOnly))
    throw DbError(DbErrorKind::Other, QStringLiteral("%1 cannot be written: %2.").arg(path, copy.errorString()));
  QByteArray chunk(int(kChunkBytes), Qt::Uninitialized);
  for (sqlite3_int64 offset = 0; offset < size; offset += kChunkBytes) {
    const int length = int(std::min<sqlite3_int64>(kChunkBytes, size - offset));
    if (file->pMethods->xRead(file, chunk.data(), length, offset) != SQLITE_OK)
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the database file cannot be read."));
    if (copy.write(chunk.constData(), length) != length)
      throw DbError(DbErrorKind::DiskFull,
                    QStringLiteral("%1 cannot be written: %2. Reading the whole database needs as much free "
                                   "space beside it as it takes.")
                        .arg(path, copy.errorString()));
  }
  if (!copy.flush())
    throw DbError(DbErrorKind::DiskFull, QStringLiteral("%1 cannot be written: %2.").arg(path, copy.errorString()));
}
