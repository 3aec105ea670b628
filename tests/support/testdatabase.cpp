#include "tests/support/testdatabase.h"

#include <QDateTime>

#include "store/logins.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/statement.h"

TestDatabase::TestDatabase() {
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
