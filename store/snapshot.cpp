#include "store/snapshot.h"

#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "store/connection.h"
#include "store/dberror.h"
#include "store/owneronlyfile.h"

namespace {

constexpr char kSnapshotInfix[] = ".snapshot-";
constexpr qint64 kChunkBytes = 1 << 20;
constexpr int kWaitForReadingMs = 60'000;

// A snapshot beside the database, named after the process that took it.
QString snapshotPath(const QString& databasePath, qint64 pid) {
  return databasePath + QLatin1String(kSnapshotInfix) + QString::number(pid);
}

// What a killed reader left: a snapshot whose process is gone.
void removeOrphanedSnapshots(const QString& databasePath) {
  const QFileInfo database(databasePath);
  const QString prefix = database.fileName() + QLatin1String(kSnapshotInfix);
  for (const QFileInfo& file : QDir(database.absolutePath()).entryInfoList({prefix + '*'}, QDir::Files | QDir::Hidden)) {
    bool numbered = false;
    const qint64 pid = file.fileName().mid(prefix.size()).toLongLong(&numbered);
    if (numbered && pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH) QFile::remove(file.filePath());
  }
}

// Ends a read transaction however the reading ends.
class ReadTransaction {
 public:
  // A whole-database job may wait longer for its turn than a SAVE would.
  explicit ReadTransaction(Connection& connection) : connection_(connection) {
    QDeadlineTimer patience(kWaitForReadingMs);
    for (;;) {
      try {
        connection.session().beginReading();
        return;
      } catch (const DbError& error) {
        if (error.kind() != DbErrorKind::Locked || patience.hasExpired()) throw;
      }
    }
  }
  ~ReadTransaction() { connection_.session().rollbackQuietly(); }
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;

 private:
  Connection& connection_;
};

// The file's bytes as they stand, read through the engine's own handle while
// the read lock is held: no writer can commit meanwhile, and no second handle
// on the file is opened (closing one would drop this process's locks on it).
void copyFileBytes(Connection& live, const QString& path) {
  sqlite3_file* file = nullptr;
  if (sqlite3_file_control(live.fileHandle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
      !file->pMethods)
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

// Removes the snapshot however the reading ends.
struct SnapshotFile {
  QString path;
  ~SnapshotFile() {
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
  }
};

}  // namespace

void readConsistentSnapshot(Connection& live, const std::function<void(Connection& snapshot)>& read) {
  if (live.inTransaction()) {  // this connection holds the write lock: nobody else writes meanwhile
    read(live);
    return;
  }
  if (live.engine() == EngineKind::Server) {
    ReadTransaction snapshot(live);
    read(live);
    return;
  }
  removeOrphanedSnapshots(live.path());
  SnapshotFile copy{snapshotPath(live.path(), getpid())};
  QFile::remove(copy.path);  // a process of the same number killed long ago
  {
    ReadTransaction locked(live);
    copyFileBytes(live, copy.path);
  }
  read(*Connection::open(copy.path));
}
