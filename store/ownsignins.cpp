#include "store/ownsignins.h"

#include <QHash>

#include "store/connection.h"

namespace {

// This program's own sign-ins, by database and sign-in log.
QHash<QString, QString>& ownSignIns() {
  static QHash<QString, QString> names;
  return names;
}

QString signInOf(const Connection& connection, const QString& log) { return connection.address() + QChar(0) + log; }

}  // namespace

void rememberOwnSignIn(const Connection& connection, const QString& log, const QString& name) {
  ownSignIns().insert(signInOf(connection, log), name);
}

QString currentLoginName(Connection& connection) {
  return ownSignIns().value(signInOf(connection, QStringLiteral("tloginwork")));
}

QString currentEditLoginName(Connection& connection) {
  return ownSignIns().value(signInOf(connection, QStringLiteral("tlogineditdata")));
}
