#pragma once

#include <QString>
#include <QStringList>

class Connection;

struct DatabaseCheck {
  QString integrity;         // "ok" when the file is sound
  QStringList brokenChains;  // one line per child whose parent number is missing
  QStringList logProblems;   // what the change log check found

  bool sound() const { return integrity == QLatin1String("ok") && brokenChains.isEmpty() && logProblems.isEmpty(); }
};

// The whole database judged on one consistent snapshot: other programs may go
// on saving meanwhile without being taken for damage.
DatabaseCheck checkDatabase(Connection& connection);
