#include "store/reportqueries.h"

#include "store/dberror.h"
#include "store/opendocuments.h"
#include "store/statement.h"

// Each open document once per summary row it has; the quotations with their
// inquiry's contact.
QString reportQuery(ReportQuery report) {
  const auto open = [](FollowUpStage stage) { return openCondition(stage); };
  switch (report) {
    case ReportQuery::PendingInquiries:
      return QStringLiteral(
                 "SELECT DISTINCT d.inqnum, d.client, d.area, d.inqdate, d.inqduedate, s.itemdes, s.qty, s.manf "
                 "FROM tinquiry d JOIN titemdescom s ON %1 WHERE %2 ORDER BY d.inqdate DESC")
          .arg(sameDocumentNumber("d.inqnum", "s.inqnum"), open(FollowUpStage::Inquiries));
    case ReportQuery::PendingQuotations:
      return QStringLiteral(
                 "SELECT DISTINCT d.quotenum, d.client, d.quotedate, d.quoterate, s.itemdes, s.qty, s.manf, "
                 "a.contactperson, a.telephonelandline "
                 "FROM tquote d JOIN titemdescom s ON %1 JOIN taddressbook a ON %2 WHERE %3 ORDER BY d.quotedate DESC")
          .arg(sameDocumentNumber("d.quotenum", "s.quotenum"), sameDocumentNumber("d.inqnum", "a.inqnum"),
               open(FollowUpStage::Quotations));
    case ReportQuery::PendingOrders:
      return QStringLiteral(
                 "SELECT DISTINCT d.client, d.ponum, d.podate, s.itemdes, s.qty, s.manf, d.taxmode, d.invoicemode, "
                 "d.pnfnfreight, d.paymentterm, d.povalue, s.pomanf, d.orderexecutionstatus, d.reasonfornotexecuted "
                 "FROM tpo d JOIN titemdescom s ON %1 WHERE %2 ORDER BY d.podate DESC")
          .arg(sameDocumentNumber("d.ponum", "s.ponum"), open(FollowUpStage::Orders));
    case ReportQuery::Outstanding:
      return QStringLiteral(
                 "SELECT DISTINCT d.client, d.invoicenum, d.invoicedate, d.invoiceduedate, d.invoiceamount, d.ponum, "
                 "d.paymentstatus, d.reason FROM tinvoice d WHERE %1 ORDER BY d.client ASC, d.invoiceduedate ASC")
          .arg(open(FollowUpStage::Invoices));
  }
  return {};
}

ReportRows::ReportRows(Connection& connection, ReportQuery report, const QStringList& fields)
    : statement_(std::make_unique<Statement>(connection, reportQuery(report))) {
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
