#pragma once

#include <QDate>
#include <QString>

#include "store/queries/pagedquery.h"

// What the log view and `vantora-db log` ask for; empty fields match all.
// A number matches trimmed and in any letter case; dates are inclusive.
struct ChangeFilter {
  QString number;
  QString table;
  QString login;
  QDate from;
  QDate to;
};
// The matching entries, newest first: changedat, login, source, tablename,
// rowkey, number, kind, summary (as changeSummary() shows it).
SortedQuery changeLogQuery(const ChangeFilter& filter);
