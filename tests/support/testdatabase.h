#pragma once

#include <QTemporaryDir>
#include <memory>

#include "store/connection.h"

// True when this test run is against the PostgreSQL server named by
// VANTORA_TEST_SERVER (CTest sets VANTORA_TEST_ENGINE=server for those runs).
bool testingServer();
// True in the second process of a two-process test.
bool joiningAnotherTest();

// A fresh, empty place for a database: a file path in a temporary folder, or
// on the test server a schema of its own, dropped again at the end. A second
// process of a test joins the first one's database instead, when
// VANTORA_TEST_JOIN names it.
class EmptyDatabase {
 public:
  EmptyDatabase();
  ~EmptyDatabase();
  EmptyDatabase(const EmptyDatabase&) = delete;
  EmptyDatabase& operator=(const EmptyDatabase&) = delete;

  const QString& location() const { return location_; }
  QString folder() const { return dir_.path(); }
  // On the server, what its connections are named by (their application name).
  const QString& schema() const { return schema_; }

 private:
  QTemporaryDir dir_;
  QString schema_;
  QString location_;
};

// A fresh database with sign-in slots admin/adminpw, clerk/clerkpw,
// ravi/ravipw and three unused slots.
class TestDatabase {
 public:
  TestDatabase();

  QString path() const { return place_.location(); }
  QString folder() const { return place_.folder(); }
  Connection& connection() { return *connection_; }

  void signIn(const QString& name);  // appends a tloginwork row
  qint64 count(const QString& table);
  QVariant scalar(const QString& sql, const QVariantList& parameters = {});
  // Each row's first column, joined by `separator`: a list a test compares at once.
  QString joined(const QString& sql, const QString& separator = QStringLiteral(","));
  // Server only: ends every other connection to this database, as a server
  // shutdown ends its clients' connections.
  void cutOtherConnections();

 private:
  EmptyDatabase place_;
  std::unique_ptr<Connection> connection_;
};

// Takes away what data version 6 added (the unpaid-invoice index, the
// follow-up totals and their triggers): the database is then as one of data
// version 5, which opening brings up to date.
void makeDataVersion5(Connection& connection);
