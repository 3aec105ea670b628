#pragma once

#include <QString>
#include <QStringList>

class Connection;

// An ordered list of distinct values read a page at a time, each page
// continuing after the last value read, so a list over a large table costs
// only the pages the user scrolls to. The SQL binds ?1 to the last value read
// ('' at first), ?2 to the page size and ?3 to the last value folded as lists sort it.
class ValueList {
 public:
  ValueList(Connection& connection, const QString& sql);

  QStringList next(int count);
  bool atEnd() const { return atEnd_; }
  void restart();

 private:
  Connection& connection_;
  QString sql_;
  QString last_;
  bool atEnd_ = false;
};
