#include "store/basics/owneronlyfile.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "store/basics/dberror.h"

namespace {

// The permissions are given at creation: the file is never readable by others,
// not even briefly. A new file only: nothing at the path, not even a link, is
// followed.
void openNew(QFile& file) {
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)) return;
  if (entryExists(file.fileName()))
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("A file already exists at %1; it was left untouched.").arg(file.fileName()));
  throw DbError(DbErrorKind::Other,
                QStringLiteral("The file %1 could not be created: %2.").arg(file.fileName(), file.errorString()));
}

}  // namespace

bool entryExists(const QString& path) {
  struct stat status {};
  return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

void createOwnerOnlyFile(const QString& path) {
  QFile file(path);
  openNew(file);
}

void copyIntoOwnerOnlyFile(const QString& from, const QString& to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly))
    throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be read: %2.").arg(from, source.errorString()));
  QFile copy(to);
  openNew(copy);
  constexpr qint64 kChunk = 1 << 20;
  while (!source.atEnd()) {
    const QByteArray chunk = source.read(kChunk);
    if (chunk.isEmpty())
      throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be read: %2.").arg(from, source.errorString()));
    if (copy.write(chunk) != chunk.size())
      throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be written: %2.").arg(to, copy.errorString()));
  }
  if (!copy.flush())
    throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be written: %2.").arg(to, copy.errorString()));
}

void makeOwnerOnlyFolder(const QString& folder) {
  const QFileInfo wanted(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
  if (wanted.isDir()) return;
  const QString above = wanted.path();
  if (above != wanted.filePath()) makeOwnerOnlyFolder(above);
  // mkdir takes the umask away from the mode: 0700 stays 0700 under any umask.
  if (::mkdir(QFile::encodeName(wanted.filePath()).constData(), S_IRWXU) == 0) return;
  const int why = errno;
  if (QFileInfo(wanted.filePath()).isDir()) return;  // made by another run meanwhile
  throw DbError(DbErrorKind::Other, QStringLiteral("The folder %1 cannot be created: %2.")
                                        .arg(wanted.filePath(), QString::fromLocal8Bit(std::strerror(why))));
}
