#include "store/witnesses.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/engine/serverlocation.h"
#include "store/statement.h"

namespace {

constexpr char kFileName[] = "changelog-witnesses";
constexpr char kNewHistory[] = "new history";
constexpr char kTimeFormat[] = "yyyy-MM-ddTHH:mm:ss";

// The database as the witnesses name it: a file by its absolute path, a
// server's by its address without a password.
QString identity(const QString& location) {
  QString name = isServerLocation(location) ? shownServerLocation(location) : QFileInfo(location).absoluteFilePath();
  return name.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
}

// One line, appended to a file only its owner may read; a link planted in
// its place is never followed.
bool appendLine(const QString& file, const QString& line) {
  try {
    makeOwnerOnlyFolder(QFileInfo(file).absolutePath());
  } catch (const DbError&) {
    return false;
  }
  const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
  return ::close(fd) == 0 && written;
}

}  // namespace

QString witnessFile(const QString& location) {
  return QDir(backupFolderFor(location)).filePath(QLatin1String(kFileName));
}

std::vector<Witness> witnessesOf(const QString& location) {
  QFile file(witnessFile(location));
  std::vector<Witness> witnesses;
  if (!file.open(QIODevice::ReadOnly)) return witnesses;
  const QString database = identity(location);
  while (!file.atEnd()) {
    const QStringList fields = QString::fromUtf8(file.readLine()).chopped(1).split(QLatin1Char('\t'));
    if (fields.size() != 5 || fields[4] != database) continue;
    if (fields[1] == QLatin1String(kNewHistory)) {
      witnesses.clear();
      continue;
    }
    bool numbered = false;
    const Witness witness{QDateTime::fromString(fields[0], QLatin1String(kTimeFormat)), fields[1],
                          fields[2].toLongLong(&numbered), fields[3]};
    if (numbered && witness.key > 0) witnesses.push_back(witness);
  }
  return witnesses;
}

QString recordWitness(const QString& location, const QString& what, qint64 key, const QString& seal) {
  if (key <= 0) return {};
  const QString file = witnessFile(location);
  const QStringList fields = {QDateTime::currentDateTime().toString(QLatin1String(kTimeFormat)), what,
                              QString::number(key), seal, identity(location)};
  return appendLine(file, fields.join(QLatin1Char('\t'))) ? file : QString();
}

QString witnessHead(Connection& connection, const QString& what) {
  Statement head(connection, QStringLiteral("SELECT pkeychangelog, seal FROM tchangelog ORDER BY pkeychangelog DESC LIMIT 1"));
  if (!head.step()) return {};
  return recordWitness(connection.address(), what, head.value(0).toLongLong(), head.value(1).toString());
}

void startNewHistory(const QString& location, const QString& what) {
  const QStringList fields = {QDateTime::currentDateTime().toString(QLatin1String(kTimeFormat)), QLatin1String(kNewHistory),
                              what, QStringLiteral("-"), identity(location)};
  appendLine(witnessFile(location), fields.join(QLatin1Char('\t')));
}
