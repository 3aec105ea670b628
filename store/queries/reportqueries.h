#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <vector>

#include "store/queries/listindex.h"

// The follow-up reports' queries: documents still waiting for their next
// step, each joined with its summary rows. Numbers match trimmed and in any
// letter case, as everywhere in the office's data.
enum class ReportQuery { PendingInquiries, PendingQuotations, PendingOrders, Outstanding };

class Connection;
class SqlDialect;

QString reportQuery(ReportQuery report, const SqlDialect& dialect);

// The outstanding report's rows, whole and in its order: the unpaid invoices
// (the same condition as the report's).
ListIndex outstandingReportIndex();

class Statement;

// A report's records, read one at a time as they are written out, each with
// the named fields in the order named, each distinct record once; a name the
// query does not give is a DbError.
class ReportRows {
 public:
  ReportRows(Connection& connection, ReportQuery report, const QStringList& fields);
  ~ReportRows();

  bool next(QVariantList& values);  // false after the last record

 private:
  std::unique_ptr<Statement> statement_;
  std::vector<int> positions_;
  QVariantList previous_;
};
