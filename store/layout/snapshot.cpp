#include "store/layout/snapshot.h"

#include <signal.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/connection.h"
#include "store/filepages.h"

namespace {

constexpr char kSnapshotInfix[] = ".snapshot-";
constexpr int kWaitForReadingMs = 60'000;
// The snapshot is read whole, its indexes checked against their tables: with
// the engine's small default cache every such seek decrypts its page again.
// Pages are only taken as they are read, so a small database takes little.
constexpr char kSnapshotCache[] = "PRAGMA cache_size = -262144";  // 256 MiB

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
  const auto snapshot = Connection::open(copy.path);
  snapshot->execute(QLatin1String(kSnapshotCache));
  read(*snapshot);
}
