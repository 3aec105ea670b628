#include "store/queries/reportqueries.h"

#include <QStringList>

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/queries/opendocuments.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

// A leading "-" goes down, a trailing "~" marks a text.
std::vector<SortTerm> parsedOrder(const QString& order) {
  std::vector<SortTerm> terms;
  for (QString term : order.split(',')) {
    term = term.trimmed();
    const bool descending = term.startsWith('-');
    const bool text = term.endsWith('~');
    terms.push_back({term.remove('-').remove('~'), descending, text});
  }
  return terms;
}

// The report's rows in their order, then in every other column: the same
// order on both engines, texts in the office's alphabetical order (letter case
// ignored, then the exact text), nulls first going up and last going down.
QString ordered(const SqlDialect& dialect, const QString& rows, const QString& order) {
  QStringList terms;
  for (const SortTerm& term : parsedOrder(order)) {
    const QString column = QStringLiteral("r.") + term.column;
    if (term.folded) terms << dialect.orderTerm(QStringLiteral("lower(%1)").arg(column), term.descending);
    terms << dialect.orderTerm(column, term.descending);
  }
  return QStringLiteral("SELECT * FROM (%1) AS r ORDER BY %2").arg(rows, terms.join(QStringLiteral(", ")));
}

const char kOutstandingOrder[] =
    "client~, invoiceduedate, invoicenum~, invoicedate, invoiceamount, ponum~, paymentstatus~, reason~";

}  // namespace

// Each open document once per summary row it has; the quotations with their
// inquiry's contact. Every order begins with the terms of an index on the document
// table, so the engine reads the documents in that order and sorts only the
// rows of one date or client at a time: a report's memory does not grow with
// the years. The index holds each row's key, so whether a document is open is
// one probe into the kept list of open ones, and only those are read whole.
// The unpaid invoices have an index of their own that holds the whole report
// in its order.
// CROSS JOIN keeps the document table first in the file engine's plan; it is
// an inner join to the server. DISTINCT would remember every row it has seen;
// ReportRows drops repeats as they pass instead.
QString reportQuery(ReportQuery report, const SqlDialect& dialect) {
  switch (report) {
    case ReportQuery::PendingInquiries:
      return ordered(dialect,
                     QStringLiteral("SELECT d.inqnum, d.client, d.area, d.inqdate, d.inqduedate, s.itemdes, s.qty, "
                                    "s.manf FROM tinquiry d CROSS JOIN titemdescom s WHERE %1 AND %2")
                         .arg(sameDocumentNumber("d.inqnum", "s.inqnum"), isKeptOpen(FollowUpStage::Inquiries)),
                     "-inqdate, inqnum~, client~, area~, inqduedate, itemdes~, qty, manf~");
    case ReportQuery::PendingQuotations:
      return ordered(dialect,
                     QStringLiteral("SELECT d.quotenum, d.client, d.quotedate, d.quoterate, s.itemdes, s.qty, s.manf, "
                                    "a.contactperson, a.telephonelandline FROM tquote d CROSS JOIN titemdescom s "
                                    "JOIN taddressbook a ON %2 WHERE %1 AND %3")
                         .arg(sameDocumentNumber("d.quotenum", "s.quotenum"), sameDocumentNumber("d.inqnum", "a.inqnum"),
                              isKeptOpen(FollowUpStage::Quotations)),
                     "-quotedate, quotenum~, client~, quoterate, itemdes~, qty, manf~, contactperson~, telephonelandline~");
    case ReportQuery::PendingOrders:
      return ordered(dialect,
                     QStringLiteral("SELECT d.client, d.ponum, d.podate, s.itemdes, s.qty, s.manf, d.taxmode, "
                                    "d.invoicemode, d.pnfnfreight, d.paymentterm, d.povalue, s.pomanf, "
                                    "d.orderexecutionstatus, d.reasonfornotexecuted FROM tpo d CROSS JOIN titemdescom s "
                                    "WHERE %1 AND %2")
                         .arg(sameDocumentNumber("d.ponum", "s.ponum"), isKeptOpen(FollowUpStage::Orders)),
                     "-podate, client~, ponum~, itemdes~, qty, manf~, taxmode~, invoicemode~, pnfnfreight~, paymentterm~, "
                     "povalue, pomanf~, orderexecutionstatus~, reasonfornotexecuted~");
    case ReportQuery::Outstanding:
      return ordered(dialect,
                     QStringLiteral("SELECT d.client, d.invoicenum, d.invoicedate, d.invoiceduedate, "
                                    "d.invoiceamount, d.ponum, d.paymentstatus, d.reason FROM tinvoice d WHERE %1")
                         .arg(openCondition(FollowUpStage::Invoices)),
                     kOutstandingOrder);
  }
  return {};
}

ListIndex outstandingReportIndex() {
  return {QStringLiteral("tinvoice"), parsedOrder(kOutstandingOrder), QStringLiteral("upper(paymentstatus) = 'NO'")};
}

ReportRows::ReportRows(Connection& connection, ReportQuery report, const QStringList& fields)
    : statement_(std::make_unique<Statement>(connection, reportQuery(report, connection.dialect()))) {
  for (const QString& field : fields) {
    int found = -1;
    for (int c = 0; c < statement_->columnCount() && found < 0; ++c)
      if (statement_->columnName(c).compare(field, Qt::CaseInsensitive) == 0) found = c;
    if (found < 0) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the report gives no field %1.").arg(field));
    positions_.push_back(found);
  }
}

ReportRows::~ReportRows() = default;

// Equal rows sort next to each other: every column is in the order.
bool ReportRows::next(QVariantList& values) {
  QVariantList row;
  do {
    if (!statement_->step()) return false;
    row.clear();
    for (int c = 0; c < statement_->columnCount(); ++c) row << statement_->value(c);
  } while (row == previous_);
  previous_ = row;
  values.clear();
  for (int position : positions_) values << row.at(position);
  return true;
}
