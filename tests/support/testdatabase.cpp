#include "tests/support/testdatabase.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QtTest>

#include "store/layout/newschema.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/statement.h"

namespace {

QString serverAddress() {
  const QString address = qEnvironmentVariable("VANTORA_TEST_SERVER");
  if (address.isEmpty())
    qFatal("VANTORA_TEST_SERVER is not set: scripts/test starts a test server, or run scripts/testserver start DIR");
  return address;
}

// The server's own database, for making and dropping the tests' schemas.
std::unique_ptr<Connection> serverItself() { return Connection::open(serverAddress(), Connection::OpenMode::CreateNew); }

}  // namespace

bool testingServer() { return qEnvironmentVariable("VANTORA_TEST_ENGINE") == QLatin1String("server"); }

bool joiningAnotherTest() { return qEnvironmentVariableIsSet("VANTORA_TEST_JOIN"); }

EmptyDatabase::EmptyDatabase() {
  if (joiningAnotherTest()) {
    location_ = qEnvironmentVariable("VANTORA_TEST_JOIN");
    return;
  }
  if (!testingServer()) {
    location_ = dir_.filePath(QStringLiteral("database.db"));
    return;
  }
  schema_ = QStringLiteral("test_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
  serverItself()->execute(QStringLiteral("CREATE SCHEMA %1").arg(schema_));
  const QString address = serverAddress();
  location_ = address + (address.contains('?') ? '&' : '?') +
              QStringLiteral("options=-csearch_path%3D%1&application_name=%1").arg(schema_);
}

EmptyDatabase::~EmptyDatabase() {
  if (schema_.isEmpty()) return;
  try {
    serverItself()->execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema_));
  } catch (const std::exception& error) {
    qWarning("the test schema %s was left on the server: %s", qPrintable(schema_), error.what());
  }
}

TestDatabase::TestDatabase() {
  if (joiningAnotherTest()) {
    connection_ = Connection::open(path());
    return;
  }
  connection_ = Connection::open(path(), Connection::OpenMode::CreateNew);
  createSchema(*connection_);
  RowWriter(*connection_, QStringLiteral("tloginpassword"))
      .append({"admin", "adminpw", "clerk", "clerkpw", "ravi", "ravipw", "", "", "", "", "", ""});
}

void TestDatabase::signIn(const QString& name) {
  RecordSet log = RecordSet::openForAppend(*connection_, QStringLiteral("tloginwork"));
  log.addNew();
  writeSignInLog(log, name, QDateTime::currentDateTime());
}

qint64 TestDatabase::count(const QString& table) {
  return scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toLongLong();
}

QVariant TestDatabase::scalar(const QString& sql, const QVariantList& parameters) {
  Statement statement(*connection_, sql);
  statement.bindAll(parameters);
  return statement.step() ? statement.value(0) : QVariant();
}

QString TestDatabase::joined(const QString& sql, const QString& separator) {
  Statement statement(*connection_, sql);
  QStringList values;
  while (statement.step()) values << statement.value(0).toString();
  return values.join(separator);
}

void TestDatabase::cutOtherConnections() {
  Statement cut(*connection_, QStringLiteral("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE "
                                             "application_name = ? AND pid <> pg_backend_pid()"));
  cut.bind(1, place_.schema());
  while (cut.step()) {
  }
}

