#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A PostgreSQL cluster of this test's own (scripts/testserver), which the test
// may stop and start again as a server's computer would restart, without
// disturbing the tests sharing the common one. While it lives, the test
// databases (VANTORA_TEST_SERVER) are made on it.
class PrivateServer {
 public:
  PrivateServer();
  ~PrivateServer();
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;

  bool started() const { return !address_.isEmpty(); }
  void stop();    // a fast shutdown: clients lose their connections
  void resume();  // the same data and socket again

 private:
  bool run(const QString& verb, QString* printed = nullptr);

  QTemporaryDir parent_;
  QString dir_;
  QString address_;
  QByteArray commonServer_;
};
