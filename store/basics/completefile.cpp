#include "store/basics/completefile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"

namespace {

// Distinct enough that no other program's file in a user's folder is taken for ours.
constexpr char kPartialSuffix[] = ".vantora-partial";
// SQLite's rollback journal beside a file; a killed write leaves it behind.
constexpr char kJournalSuffix[] = "-journal";

QByteArray native(const QString& path) { return QFile::encodeName(path); }

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

DbError alreadyThere(const QString& path) {
  return DbError(DbErrorKind::Other, QStringLiteral("A file already exists at %1; it was left untouched.").arg(path));
}

void removePartial(const QString& partialPath) {
  QFile::remove(partialPath + kJournalSuffix);
  QFile::remove(partialPath);
}

// The runs of the program that write into a folder hold a shared lock on it
// while they do. A run that gets it alone knows that every partial file there
// was left by a run that was killed, whose lock died with it.
class FolderWriters {
 public:
  enum class Others { None, Writing, Unknown };

  explicit FolderWriters(const QString& folder)
      : fd_(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
  ~FolderWriters() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderWriters(const FolderWriters&) = delete;
  FolderWriters& operator=(const FolderWriters&) = delete;

  Others others() {
    if (fd_ < 0) return Others::Unknown;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return Others::None;
    return errno == EWOULDBLOCK ? Others::Writing : Others::Unknown;  // a file system without locks
  }
  // Waits only while another run removes leftovers.
  void join() {
    if (fd_ >= 0) ::flock(fd_, LOCK_SH);
  }

 private:
  int fd_;
};

void removeLeftovers(const QString& folder) {
  const QDir dir(folder);
  const QString partial = QStringLiteral("*") + kPartialSuffix;
  for (const QString& name : dir.entryList({partial, partial + kJournalSuffix}, QDir::Files | QDir::Hidden | QDir::System))
    QFile::remove(dir.filePath(name));
}

void publish(const QString& partialPath, const QString& path) {
  const QByteArray from = native(partialPath);
  const QByteArray to = native(path);
  if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return;
  // A file system without that rename: a hard link refuses an existing name just the same.
  if ((errno == EINVAL || errno == ENOSYS) && ::link(from.constData(), to.constData()) == 0) {
    ::unlink(from.constData());
    return;
  }
  if (errno == EEXIST) throw alreadyThere(path);
  throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be written: %2.").arg(path, systemError()));
}

}  // namespace

void writeCompleteFile(const QString& path, const std::function<void(const QString& partialPath)>& write) {
  if (entryExists(path)) throw alreadyThere(path);
  const QString folder = QFileInfo(path).absolutePath();
  makeOwnerOnlyFolder(folder);

  const QString partialPath = path + kPartialSuffix;
  FolderWriters writers(folder);
  switch (writers.others()) {
    case FolderWriters::Others::None:
      removeLeftovers(folder);
      break;
    case FolderWriters::Others::Unknown:
      removePartial(partialPath);  // without locks, only what an earlier run of this very file left
      break;
    case FolderWriters::Others::Writing:
      break;
  }
  writers.join();
  if (entryExists(partialPath))
    throw DbError(DbErrorKind::Other, QStringLiteral("Another run of VANTORA is making %1 right now; try again once "
                                                     "it has finished.")
                                          .arg(path));
  try {
    write(partialPath);
    publish(partialPath, path);
  } catch (...) {
    removePartial(partialPath);
    throw;
  }
}
