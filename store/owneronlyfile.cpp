#include "store/owneronlyfile.h"

#include <QFile>

#include "store/dberror.h"

void createOwnerOnlyFile(const QString& path) {
  QFile file(path);
  // The permissions are given at creation: the file is never readable by others, not even briefly.
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)) return;
  if (QFile::exists(path))
    throw DbError(DbErrorKind::Other, QStringLiteral("A file already exists at %1; it was left untouched.").arg(path));
  throw DbError(DbErrorKind::Other,
                QStringLiteral("The file %1 could not be created: %2.").arg(path, file.errorString()));
}
