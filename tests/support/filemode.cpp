#include "tests/support/filemode.h"

#include <sys/stat.h>

#include <QFile>

int modeOf(const QString& path) {
  struct stat status {};
  return lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
}
