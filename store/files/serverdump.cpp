#include "store/files/serverdump.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include "store/basics/dberror.h"
#include "store/basics/owneronlyfile.h"
#include "store/connection.h"
#include "store/engine/serverlocation.h"
#include "store/statement.h"

namespace {

QString passwordIn(const QString& address) {
  const QUrl url(address);
  const QString inQuery = QUrlQuery(url).queryItemValue(QStringLiteral("password"), QUrl::FullyDecoded);
  return inQuery.isEmpty() ? url.password(QUrl::FullyDecoded) : inQuery;
}

// Runs one of the server's tools; what it said on failure, else nothing.
QString run(const QString& program, const QStringList& arguments, const QString& password) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (!password.isEmpty()) environment.insert(QStringLiteral("PGPASSWORD"), password);
  process.setProcessEnvironment(environment);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(-1)) return process.errorString();
  if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {};
  const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
  return said.isEmpty() ? QStringLiteral("it stopped with status %1").arg(process.exitCode()) : said;
}

// pg_dump takes --schema as a pattern (* ? and . are special, letter case
// folds); inside double quotes a name matches only itself.
QString exactSchemaPattern(const QString& schema) {
  return '"' + QString(schema).replace('"', QStringLiteral("\"\"")) + '"';
}

}  // namespace

void dumpServerDatabase(Connection& source, const QString& archivePath) {
  const QString pgDump = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
  if (pgDump.isEmpty())
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("this computer has no pg_dump (Debian's postgresql-client package), so no copy was "
                                 "made here. The database lives on the server %1: the server's own backups apply. "
                                 "Ask whoever looks after the server.")
                      .arg(source.path()));
  Statement schema(source, QStringLiteral("SELECT current_schema()"));
  schema.step();
  const QString password = passwordIn(source.address());
  // pg_dump writes into the file as it finds it, so it is never readable by others, whatever the umask.
  createOwnerOnlyFile(archivePath);
  // -w: never wait for a password typed at a console that a window does not have.
  const QString failed = run(pgDump,
                             {QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                              QStringLiteral("--schema=") + exactSchemaPattern(schema.value(0).toString()), QStringLiteral("--file=") + archivePath,
                              QStringLiteral("--dbname=") + libpqAddress(shownServerLocation(source.address()))},
                             password);
  if (!failed.isEmpty()) throw DbError(DbErrorKind::Other, QStringLiteral("pg_dump could not copy the database: %1").arg(failed));
  // The archive is proven readable the way it would be restored.
  const QString pgRestore = QStandardPaths::findExecutable(QStringLiteral("pg_restore"));
  if (pgRestore.isEmpty()) return;
  const QString unreadable = run(pgRestore, {QStringLiteral("--list"), archivePath}, {});
  if (!unreadable.isEmpty())
    throw DbError(DbErrorKind::Other, QStringLiteral("the archive pg_dump wrote cannot be read back: %1").arg(unreadable));
}
