#pragma once

#include <QTemporaryDir>
#include <memory>

#include "store/connection.h"

// A fresh database in a temporary folder, with sign-in slots
// admin/adminpw, clerk/clerkpw, ravi/ravipw and three unused slots.
class TestDatabase {
 public:
  TestDatabase();

  QString path() const { return dir_.filePath(QStringLiteral("database.db")); }
  QString folder() const { return dir_.path(); }
  Connection& connection() { return *connection_; }

  void signIn(const QString& name);  // appends a tloginwork row
  qint64 count(const QString& table);
  QVariant scalar(const QString& sql, const QVariantList& parameters = {});

 private:
  QTemporaryDir dir_;
  std::unique_ptr<Connection> connection_;
};
