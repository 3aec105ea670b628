#include "store/queries/opendocuments.h"

#include <QStringList>

namespace {

QString summaryRowOf(const char* column) {
  return QStringLiteral("EXISTS (SELECT 1 FROM titemdescom s WHERE %1)")
      .arg(sameDocumentNumber(QStringLiteral("s.") + column, QStringLiteral("d.") + column));
}

QString noChild(const char* table, const char* column) {
  return QStringLiteral("NOT EXISTS (SELECT 1 FROM %1 c WHERE %2)")
      .arg(QLatin1String(table), sameDocumentNumber(QStringLiteral("c.") + column, QStringLiteral("d.") + column));
}

// Compared as text, not as a pattern: the same on both engines.
QString statusIsNo(const char* column) { return QStringLiteral("upper(d.%1) = 'NO'").arg(QLatin1String(column)); }

}  // namespace

QString sameDocumentNumber(const QString& left, const QString& right) {
  return QStringLiteral("lower(trim(%1)) = lower(trim(%2))").arg(left, right);
}

const StageColumns& stageColumns(FollowUpStage stage) {
  static const StageColumns stages[kFollowUpStageCount] = {
      {"tinquiry", "pkeyinq", "inqnum", "inqdate", "inqduedate", "inqduedate", "brate", "login", "quotesendstatus"},
      {"tquote", "pkeyquote", "quotenum", "quotedate", "", "quotedate", "quoterate", "loginquote", "orderstatus"},
      {"tpo", "pkeypo", "ponum", "podate", "poduedate", "poduedate", "povalue", "login", "orderexecutionstatus"},
      {"tinvoice", "pkeyinvoive", "invoicenum", "invoicedate", "invoiceduedate", "invoiceduedate", "invoiceamount",
       "login", "paymentstatus"},
  };
  return stages[int(stage)];
}

QString openCondition(FollowUpStage stage) {
  switch (stage) {
    case FollowUpStage::Inquiries:
      return summaryRowOf("inqnum") + " AND " + noChild("tquote", "inqnum");
    case FollowUpStage::Quotations:
      return summaryRowOf("quotenum") + " AND EXISTS (SELECT 1 FROM taddressbook a WHERE " +
             sameDocumentNumber("a.inqnum", "d.inqnum") + ") AND " + noChild("tpo", "quotenum");
    case FollowUpStage::Orders:
      // Not invoiced yet, or invoiced and still marked not executed.
      return summaryRowOf("ponum") + " AND (" + noChild("tinvoice", "ponum") + " OR " +
             statusIsNo("orderexecutionstatus") + ")";
    case FollowUpStage::Invoices:
      return statusIsNo("paymentstatus");
  }
  return {};
}

QString isKeptOpen(FollowUpStage stage) {
  return QStringLiteral("EXISTS (SELECT 1 FROM tfollowupopen o WHERE o.stage = %1 AND o.docrowid = d.%2)")
      .arg(int(stage))
      .arg(QLatin1String(stageColumns(stage).key));
}
