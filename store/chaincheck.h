#pragma once

#include <QString>
#include <QStringList>

class Connection;

struct DatabaseCheck {
  QString integrity;        // "ok" when the file is sound
  QStringList brokenChains; // one line per child whose parent number is missing
};

DatabaseCheck checkDatabase(Connection& connection);
