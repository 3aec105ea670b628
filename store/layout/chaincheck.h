#pragma once

#include <QString>
#include <QStringList>

class Connection;

struct DatabaseCheck {
  QString integrity;         // "ok" when the file is sound
  QStringList brokenChains;  // one line per child whose parent number is missing
  QStringList logProblems;   // what the change log check found, the program's triggers and indexes included
  QStringList notes;         // what could not be checked, and why
  qint64 headKey = 0;        // the change log's last entry, verified when `headSound`
  QString headSeal;
  bool headSound = false;

  bool sound() const { return integrity == QLatin1String("ok") && brokenChains.isEmpty() && logProblems.isEmpty(); }
};

// The whole database judged on one consistent snapshot: other programs may go
// on saving meanwhile without being taken for damage. The change log is also
// compared with this computer's witnesses of it. Run outside a write.
DatabaseCheck checkDatabase(Connection& connection);
