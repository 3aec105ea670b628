#include "store/queries/followup.h"

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/dates.h"
#include "store/recordset.h"
#include "store/statement.h"
#include "store/transaction.h"

namespace {

// The first day of each overdue range, newest first: due on or after today is
// not yet due, from 30 days back 1-30, and so on; before 90 days back, over 90.
QVariantList rangeStarts(QDate today) {
  return {storedDate(today), storedDate(today.addDays(-30)), storedDate(today.addDays(-60)), storedDate(today.addDays(-90))};
}

QString column(const char* name) { return QStringLiteral("d.") + QLatin1String(name); }

// The list's columns under the names the follow-up form reads; a quotation has
// no due date. The order's columns come from the kept open documents, whose
// index serves it.
QString listColumns(const StageColumns& s) {
  const QString due = *s.dueDate ? column(s.dueDate) : QStringLiteral("NULL");
  return QStringLiteral("d.client AS client, %1 AS number, %2 AS docdate, %3 AS duedate, o.agedfrom AS agedfrom, %4 AS "
                        "amount, %5 AS login, %6 AS status, o.docrowid AS rowkey")
      .arg(column(s.number), column(s.date), due, column(s.value), column(s.login), column(s.status));
}

const char* const kListedColumns[] = {"client", "number", "docdate", "duedate", "amount", "login", "status"};

QString stageColumn(const StageColumns& s, const QString& listed) {
  const QHash<QString, QString> names = {{"client", "client"},       {"number", s.number}, {"docdate", s.date},
                                         {"duedate", s.dueDate},     {"amount", s.value},  {"login", s.login},
                                         {"status", s.status}};
  return names.value(listed);
}

bool sameStored(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  return a.toString() == b.toString();
}

}  // namespace

BoardStatement boardStatement(QDate today) {
  return {QStringLiteral("SELECT stage, CASE WHEN agedfrom = '' THEN 5 WHEN agedfrom >= ? THEN 0 WHEN agedfrom >= ? THEN 1 "
                         "WHEN agedfrom >= ? THEN 2 WHEN agedfrom >= ? THEN 3 ELSE 4 END AS bucket, sum(documents), "
                         "sum(amount) FROM tfollowuptotal GROUP BY 1, 2"),
          rangeStarts(today)};
}

FollowUpBoard readFollowUpBoard(Connection& connection, QDate today) {
  FollowUpBoard board{};
  const BoardStatement aggregate = boardStatement(today);
  Statement sums(connection, aggregate.sql);
  sums.bindAll(aggregate.parameters);
  while (sums.step()) {
    const int stage = sums.value(0).toInt(), bucket = sums.value(1).toInt();
    if (stage < 0 || stage >= kFollowUpStageCount || bucket < 0 || bucket >= kOverdueCount) continue;
    board[size_t(stage)][size_t(bucket)] = {sums.value(2).toLongLong(), sums.value(3).toLongLong()};
  }
  return board;
}

SortedQuery followUpList(FollowUpStage stage, std::optional<Overdue> bucket, QDate today) {
  const StageColumns& s = stageColumns(stage);
  const QVariantList starts = rangeStarts(today);
  QString range = QStringLiteral("1 = 1");
  QVariantList parameters;
  switch (bucket.value_or(Overdue::NoDueDate)) {
    case Overdue::NotYetDue:
      range = QStringLiteral("o.agedfrom >= ?");
      parameters = {starts[0]};
      break;
    case Overdue::UpTo30:
    case Overdue::UpTo60:
    case Overdue::UpTo90: {
      const int b = int(*bucket);
      range = QStringLiteral("o.agedfrom >= ? AND o.agedfrom < ?");
      parameters = {starts[b], starts[b - 1]};
      break;
    }
    case Overdue::Over90:
      range = QStringLiteral("o.agedfrom < ? AND o.agedfrom <> ''");
      parameters = {starts[3]};
      break;
    case Overdue::NoDueDate:
      if (bucket) range = QStringLiteral("o.agedfrom = ''");
      break;
  }
  return {QStringLiteral("SELECT %1 FROM tfollowupopen o JOIN %2 d ON %3 = o.docrowid WHERE o.stage = %4 AND %5 AND "
                         "o.docrowid <= ?")
              .arg(listColumns(s), QLatin1String(s.table), column(s.key))
              .arg(int(stage))
              .arg(range),
          {{QStringLiteral("agedfrom")}, {QStringLiteral("rowkey"), false, false, true}},
          parameters,
          {{QLatin1String(s.table), QLatin1String(s.key)}},
          SortedQuery::Kind::Keyed};
}

int daysOverdue(const QVariant& agedFrom, QDate today) {
  const QDate date = dateFromInput(agedFrom);
  return date.isValid() ? qMax(0, int(date.daysTo(today))) : 0;
}

void recordPayment(Connection& connection, qint64 invoiceKey, const QVariantHash& asListed) {
  const StageColumns& s = stageColumns(FollowUpStage::Invoices);
  Transaction write(connection);
  RecordSet invoice =
      RecordSet::openWhere(connection, QLatin1String(s.table), QStringLiteral("%1 = ?").arg(QLatin1String(s.key)), {invoiceKey});
  bool changed = invoice.recordCount() != 1;
  for (const char* listed : kListedColumns)
    if (!changed && asListed.contains(QLatin1String(listed)))
      changed = !sameStored(invoice.value(stageColumn(s, QLatin1String(listed))), asListed.value(QLatin1String(listed)));
  if (changed)
    throw DbError(DbErrorKind::Conflict, QStringLiteral("This invoice was changed elsewhere since it was listed here, so "
                                                        "nothing was stored. The board now shows what is stored."));
  invoice.setValue(QLatin1String(s.status), QStringLiteral("YES"));
  invoice.updateBatch(RecordSet::ConflictCheck::WholeRow);
  write.commit();
}

void createFollowUpIndexes(Connection& connection) {
  // Unpaid invoices by due date with their amounts: the board's sums and the
  // list's first screen read this index alone.
  connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_tinvoice_unpaid_due ON tinvoice (invoiceduedate, invoiceamount, "
                                    "pkeyinvoive) WHERE upper(paymentstatus) = 'NO'"));
}
