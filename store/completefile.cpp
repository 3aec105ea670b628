#include "store/completefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/dberror.h"

namespace {

constexpr char kPartialSuffix[] = ".partial";
// SQLite's rollback journal beside a file; a killed write leaves it behind.
constexpr char kJournalSuffix[] = "-journal";
// A partial file still being written changes every few moments.
constexpr int kStaleAfterSeconds = 60;

void removePartial(const QString& partialPath) {
  QFile::remove(partialPath + kJournalSuffix);
  QFile::remove(partialPath);
}

}  // namespace

void writeCompleteFile(const QString& path, const std::function<void(const QString& partialPath)>& write) {
  if (QFileInfo::exists(path))
    throw DbError(DbErrorKind::Other, QStringLiteral("A file already exists at %1; it was left untouched.").arg(path));
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder))
    throw DbError(DbErrorKind::Other, QStringLiteral("The folder %1 cannot be created.").arg(folder));

  const QString partialPath = path + kPartialSuffix;
  removePartial(partialPath);
  try {
    write(partialPath);
  } catch (...) {
    removePartial(partialPath);
    throw;
  }
  // QFile::rename refuses an existing destination: a file that appeared meanwhile is kept.
  QFile partial(partialPath);
  if (!partial.rename(path)) {
    const QString why = partial.errorString();
    removePartial(partialPath);
    throw DbError(DbErrorKind::Other, QStringLiteral("%1 could not be written: %2.").arg(path, why));
  }
}

void removeStalePartialFiles(const QString& folder) {
  const QDateTime staleBefore = QDateTime::currentDateTime().addSecs(-kStaleAfterSeconds);
  const QString partial = QStringLiteral("*") + kPartialSuffix;
  const QStringList patterns{partial, partial + kJournalSuffix};
  for (const QFileInfo& file : QDir(folder).entryInfoList(patterns, QDir::Files | QDir::Hidden))
    if (file.lastModified() < staleBefore) QFile::remove(file.filePath());
}
