// vantora-db: creates, fills, backs up and checks VANTORA database files.
#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <functional>

#include "store/backup.h"
#include "store/chaincheck.h"
#include "store/completefile.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/dberror.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "tools/demodata.h"

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const char kUsage[] =
    "usage: vantora-db [--database PATH] COMMAND\n"
    "  init ADMIN:PASSWORD [USER:PASSWORD ...]   new database; up to five users after the administrator\n"
    "  demo [--transactions N] [--unquoted P]    new database with example data (default 60 transactions,\n"
    "                                            P percent of the inquiries not yet quoted, default 15)\n"
    "  backup DEST                               encrypted copy of the database into the file DEST\n"
    "  check                                     integrity check and broken document chains\n"
    "  where                                     print the database path in use\n"
    "The database is --database PATH, else $VANTORA_DATABASE, else the default path:\n  ";

// The database appears at its path only complete and closed: a kill or a full
// disk leaves nothing there that a rerun would refuse.
void createDatabase(const QString& path, const std::function<void(Connection&)>& fill) {
  try {
    writeCompleteFile(path, [&fill](const QString& partialPath) {
      auto connection = Connection::open(partialPath, Connection::OpenMode::CreateNew);
      createTables(*connection);
      fill(*connection);
      createDerivedObjects(*connection);  // indexes and open lists are built faster over the rows than row by row
    });
  } catch (const DbError& error) {
    throw DbError(error.kind(), QStringLiteral("No database was created at %1: %2").arg(path, error.message()));
  }
}

int init(const QString& path, const QStringList& pairs) {
  if (pairs.isEmpty() || pairs.size() > 6) {
    err << "init needs the administrator and at most five users, each as NAME:PASSWORD\n";
    return 2;
  }
  QVariantList slotValues;
  for (int slot = 0; slot < 6; ++slot) {
    const QString pair = pairs.value(slot);
    const qsizetype colon = pair.indexOf(':');
    if (slot < pairs.size() && (colon <= 0 || colon == pair.size() - 1)) {
      err << "not NAME:PASSWORD: " << pair << "\n";
      return 2;
    }
    slotValues << (slot < pairs.size() ? pair.left(colon) : QString(""))
               << (slot < pairs.size() ? pair.mid(colon + 1) : QString(""));
  }
  createDatabase(path, [&slotValues](Connection& connection) {
    Transaction write(connection);
    RowWriter(connection, "tloginpassword").append(slotValues);
    write.commit();
  });
  out << "Created " << path << "\n";
  return 0;
}

// "--name N" among the arguments, within [min, max]; the default when absent.
bool readOption(const QStringList& arguments, const QString& name, int min, int max, int& value) {
  const qsizetype at = arguments.indexOf(name);
  if (at < 0) return true;
  bool ok = false;
  value = arguments.value(at + 1).toInt(&ok);
  if (ok && value >= min && value <= max) return true;
  err << name << " takes a whole number from " << min << " to " << max << "\n";
  return false;
}

int demo(const QString& path, const QStringList& arguments) {
  int transactions = 60;
  int unquoted = 15;
  for (qsizetype i = 0; i < arguments.size(); i += 2)
    if (arguments[i] != "--transactions" && arguments[i] != "--unquoted") {
      err << kUsage << defaultDatabasePath() << "\n";
      return 2;
    }
  if (!readOption(arguments, "--transactions", 1, 10'000'000, transactions) ||
      !readOption(arguments, "--unquoted", 0, 100, unquoted))
    return 2;
  createDatabase(path, [=](Connection& connection) { fillDemoData(connection, transactions, unquoted); });
  out << "Created " << path << " with " << transactions << " demo transactions.\n"
      << "Sign in with user \"" << kDemoSlots[1].name << "\", password \"" << kDemoSlots[1].password
      << "\" (or \"" << kDemoSlots[2].name << "\" / \"" << kDemoSlots[2].password << "\"); administrator \""
      << kDemoSlots[0].name << "\" / \"" << kDemoSlots[0].password << "\".\n";
  return 0;
}

int backup(const QString& path, const QStringList& arguments) {
  if (arguments.size() != 1) {
    err << "backup needs the destination file\n";
    return 2;
  }
  auto connection = Connection::open(path);
  backupDatabase(*connection, arguments[0]);
  out << "Backed up " << path << " to " << arguments[0] << "\n";
  return 0;
}

int check(const QString& path) {
  auto connection = Connection::open(path);
  const DatabaseCheck report = checkDatabase(*connection);
  out << "integrity: " << report.integrity << "\n";
  if (report.brokenChains.isEmpty()) out << "broken chains: none\n";
  for (const QString& line : report.brokenChains) out << "broken chain: " << line << "\n";
  return report.integrity == "ok" && report.brokenChains.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList arguments = app.arguments().mid(1);
  const QString path = databasePathFrom(arguments);
  const qsizetype option = arguments.indexOf(QString::fromLatin1(kDatabaseOption));
  if (option >= 0) arguments.remove(option, qMin<qsizetype>(2, arguments.size() - option));
  arguments.removeIf([](const QString& a) { return a.startsWith(QString::fromLatin1(kDatabaseOption) + '='); });

  if (arguments.isEmpty()) {
    err << kUsage << defaultDatabasePath() << "\n";
    return 2;
  }
  const QString command = arguments.takeFirst();
  try {
    if (command == "init") return init(path, arguments);
    if (command == "demo") return demo(path, arguments);
    if (command == "backup") return backup(path, arguments);
    if (command == "check") return check(path);
    if (command == "where") {
      out << path << "\n";
      return 0;
    }
  } catch (const DbError& error) {
    err << error.message() << "\n";
    return 1;
  }
  err << kUsage << defaultDatabasePath() << "\n";
  return 2;
}
