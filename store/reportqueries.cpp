#include "store/reportqueries.h"

#include <QStringList>

#include "store/connection.h"
#include "store/dberror.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

QString same(const QString& left, const QString& right) {
  return QStringLiteral("lower(trim(%1)) = lower(trim(%2))").arg(left, right);
}

// NOT EXISTS rather than NOT IN: a child row without a parent number must not
// empty the whole report.
QString noChild(const QString& table, const QString& column, const QString& parentNumber) {
  return QStringLiteral("NOT EXISTS (SELECT 1 FROM %1 c WHERE %2)").arg(table, same("c." + column, parentNumber));
}

// The report's rows in their order, then in every other column: the same
// order on both engines, texts in the office's alphabetical order (letter case
// ignored, then the exact text), nulls first going up and last going down.
QString ordered(const SqlDialect& dialect, const QString& rows, const QString& order) {
  QStringList terms;
  for (QString term : order.split(',')) {
    term = term.trimmed();
    const bool descending = term.startsWith('-');
    const bool text = term.endsWith('~');
    const QString column = QStringLiteral("r.") + term.remove('-').remove('~');
    if (text) terms << dialect.orderTerm(QStringLiteral("lower(%1)").arg(column), descending);
    terms << dialect.orderTerm(column, descending);
  }
  return QStringLiteral("SELECT * FROM (%1) AS r ORDER BY %2").arg(rows, terms.join(QStringLiteral(", ")));
}

}  // namespace

// In each order a leading "-" goes down, a trailing "~" marks a text.
QString reportQuery(ReportQuery report, const SqlDialect& dialect) {
  switch (report) {
    case ReportQuery::PendingInquiries:
      return ordered(dialect, QStringLiteral("SELECT DISTINCT i.inqnum, i.client, i.area, i.inqdate, i.inqduedate, s.itemdes, s.qty, "
                                    "s.manf FROM tinquiry i JOIN titemdescom s ON %1 WHERE %2")
                         .arg(same("i.inqnum", "s.inqnum"), noChild("tquote", "inqnum", "i.inqnum")),
                     "-inqdate, inqnum~, client~, area~, inqduedate, itemdes~, qty, manf~");
    case ReportQuery::PendingQuotations:
      return ordered(dialect, QStringLiteral("SELECT DISTINCT q.quotenum, q.client, q.quotedate, q.quoterate, s.itemdes, s.qty, s.manf, "
                                    "a.contactperson, a.telephonelandline FROM tquote q JOIN titemdescom s ON %1 JOIN "
                                    "taddressbook a ON %2 WHERE %3")
                         .arg(same("q.quotenum", "s.quotenum"), same("q.inqnum", "a.inqnum"),
                              noChild("tpo", "quotenum", "q.quotenum")),
                     "-quotedate, quotenum~, client~, quoterate, itemdes~, qty, manf~, contactperson~, telephonelandline~");
    case ReportQuery::PendingOrders:
      // Not invoiced yet, or invoiced and still marked not executed.
      return ordered(dialect, QStringLiteral("SELECT DISTINCT p.client, p.ponum, p.podate, s.itemdes, s.qty, s.manf, p.taxmode, "
                                    "p.invoicemode, p.pnfnfreight, p.paymentterm, p.povalue, s.pomanf, "
                                    "p.orderexecutionstatus, p.reasonfornotexecuted FROM tpo p JOIN titemdescom s ON %1 "
                                    "WHERE (%2 OR p.orderexecutionstatus LIKE 'NO')")
                         .arg(same("p.ponum", "s.ponum"), noChild("tinvoice", "ponum", "p.ponum")),
                     "-podate, client~, ponum~, itemdes~, qty, manf~, taxmode~, invoicemode~, pnfnfreight~, paymentterm~, "
                     "povalue, pomanf~, orderexecutionstatus~, reasonfornotexecuted~");
    case ReportQuery::Outstanding:
      return ordered(dialect, QStringLiteral("SELECT DISTINCT client, invoicenum, invoicedate, invoiceduedate, invoiceamount, ponum, "
                                    "paymentstatus, reason FROM tinvoice WHERE paymentstatus LIKE 'NO'"),
                     "client~, invoiceduedate, invoicenum~, invoicedate, invoiceamount, ponum~, paymentstatus~, reason~");
  }
  return {};
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

bool ReportRows::next(QVariantList& values) {
  if (!statement_->step()) return false;
  values.clear();
  for (int position : positions_) values << statement_->value(position);
  return true;
}
