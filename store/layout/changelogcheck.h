#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "store/witnesses.h"

class Connection;

// What the check of the change log found, and the head it verified.
struct ChangeLogCheck {
  QStringList problems;  // empty when the log is whole and agrees with the data
  qint64 headKey = 0;    // the last entry, sealed and unbroken when `chainSound`
  QString headSeal;
  bool chainSound = true;
};

// The whole check, read in one pass over the log and one over each table:
// the seal chain unbroken and matching every witness; no entry removed; every
// row of a logged table with its NEW entry and stored as its last entry left
// it; no entry for a row that is gone.
ChangeLogCheck checkChangeLog(Connection& connection, const std::vector<Witness>& witnesses);
// The same with this computer's witnesses of the connection's database: its problems.
QStringList changeLogProblems(Connection& connection);

// The cheap part, fit for opening a list: the entries this computer witnessed
// are still there and unchanged, and none after the last one was removed.
QStringList changeLogHeadProblems(Connection& connection);
