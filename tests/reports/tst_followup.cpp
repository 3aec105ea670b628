// The follow-up board: every cell on both sides of its edges, the same open
// documents as the four reports, and PAYMENT RECEIVED as a clerk records it.
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <array>

#include "reports/frmfollowup.h"
#include "reports/reportforms.h"
#include "store/layout/chaincheck.h"
#include "store/layout/followuptotals.h"
#include "store/layout/schemaobjects.h"
#include "store/queries/followup.h"
#include "store/queries/reportqueries.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "tests/support/clerk.h"
#include "tests/support/earlierlayout.h"
#include "tests/support/recordingviewer.h"
#include "tests/support/workbookreader.h"
#include "toolkit/viewgrid.h"

namespace {

const QDate kToday(2024, 6, 30);

// Days overdue on the board's day; none: no due date.
const std::optional<int> kEdges[] = {-5, 0, 1, 30, 31, 60, 61, 90, 91, std::nullopt};

int bucketOf(std::optional<int> days) {
  if (!days) return int(Overdue::NoDueDate);
  if (*days <= 0) return int(Overdue::NotYetDue);
  if (*days <= 30) return int(Overdue::UpTo30);
  if (*days <= 60) return int(Overdue::UpTo60);
  if (*days <= 90) return int(Overdue::UpTo90);
  return int(Overdue::Over90);
}

QVariant dueOn(std::optional<int> days) { return days ? QVariant(kToday.addDays(-*days)) : QVariant(); }

// Documents of every stage at every edge, and others that look open but are
// not; the expected board is summed here as they are written.
struct Office {
  explicit Office(Connection& connection) : c(connection) {}
  Connection& c;
  FollowUpBoard expected{};
  QStringList open[kFollowUpStageCount];

  void add(const char* table, const QVariantHash& row) { RowWriter(c, table).append(row); }
  void expect(FollowUpStage stage, std::optional<int> days, int value, const QString& number) {
    BoardCell& cell = expected[size_t(stage)][size_t(bucketOf(days))];
    ++cell.count;
    cell.value += value;
    open[int(stage)] << number;
  }

  void fill() {
    int n = 0;
    for (std::optional<int> days : kEdges) {
      ++n;
      const int value = 1000 * n + 7;
      const QString k = QString::number(n);
      // Summary rows name their documents in other letter case, with blanks.
      add("tinquiry", {{"inqnum", "I-" + k}, {"inqduedate", dueOn(days)}, {"brate", value}, {"client", "C"}});
      add("titemdescom", {{"inqnum", " i-" + k + " "}});
      expect(FollowUpStage::Inquiries, days, value, "I-" + k);

      add("tquote", {{"quotenum", "Q-" + k}, {"inqnum", "QI-" + k}, {"quotedate", dueOn(days)}, {"quoterate", value}});
      add("titemdescom", {{"inqnum", "QI-" + k}, {"quotenum", "q-" + k + " "}});
      add("taddressbook", {{"inqnum", "qi-" + k}});
      expect(FollowUpStage::Quotations, days, value, "Q-" + k);

      add("tpo", {{"ponum", "P-" + k}, {"poduedate", dueOn(days)}, {"povalue", value}, {"orderexecutionstatus", "NO"}});
      add("titemdescom", {{"inqnum", "PI-" + k}, {"ponum", "p-" + k}});
      expect(FollowUpStage::Orders, days, value, "P-" + k);

      const char* unpaid[] = {"NO", "no", "No "};  // the store keeps statuses in capitals
      add("tinvoice", {{"invoicenum", "V-" + k}, {"invoiceduedate", dueOn(days)}, {"invoiceamount", value},
                       {"paymentstatus", unpaid[n % 3]}});
      expect(FollowUpStage::Invoices, days, value, "V-" + k);
    }
    // Answered, or not followed up: at the busiest edge, so a wrong rule shows.
    const QVariant late = dueOn(45);
    add("tinquiry", {{"inqnum", "I-QUOTED"}, {"inqduedate", late}, {"brate", 5}});
    add("titemdescom", {{"inqnum", "I-QUOTED"}});
    add("tquote", {{"quotenum", "Q-ANSWER"}, {"inqnum", " i-quoted"}, {"quotedate", late}});
    add("tinquiry", {{"inqnum", "I-NOSUMMARY"}, {"inqduedate", late}, {"brate", 5}});
    add("tquote", {{"quotenum", "Q-ORPHAN"}, {"quotedate", late}});  // names no inquiry: hides nothing
    add("tquote", {{"quotenum", "Q-NOCONTACT"}, {"inqnum", "NC"}, {"quotedate", late}, {"quoterate", 5}});
    add("titemdescom", {{"inqnum", "NC"}, {"quotenum", "Q-NOCONTACT"}});
    add("tpo", {{"ponum", "P-ANSWER"}, {"quotenum", "q-answer "}, {"poduedate", late}, {"povalue", 5}});
    add("tinvoice", {{"invoicenum", "V-P"}, {"ponum", "P-ANSWER"}, {"paymentstatus", "YES"}});
    add("titemdescom", {{"inqnum", "PA"}, {"ponum", "P-ANSWER"}});
    // Invoiced, yet marked not executed: still open.
    add("tpo", {{"ponum", "P-NOTDONE"}, {"poduedate", late}, {"povalue", 11}, {"orderexecutionstatus", "no"}});
    add("tinvoice", {{"invoicenum", "V-ND"}, {"ponum", "p-notdone"}, {"paymentstatus", "yes"}});
    add("titemdescom", {{"inqnum", "PN"}, {"ponum", "P-NOTDONE"}});
    expect(FollowUpStage::Orders, 45, 11, "P-NOTDONE");
    const char* notUnpaid[] = {"YES", "yes", nullptr};
    int x = 0;
    for (const char* status : notUnpaid)
      add("tinvoice", {{"invoicenum", QStringLiteral("V-X%1").arg(++x)}, {"invoiceduedate", late},
                       {"invoiceamount", 5}, {"paymentstatus", status ? QVariant(status) : QVariant()}});
  }
};

// The document numbers of a stage's open set, sorted: from the board's list, or from its report.
QStringList boardNumbers(Connection& c, FollowUpStage stage) {
  auto rows = wholeList(c, followUpList(stage, std::nullopt, kToday));
  QStringList numbers;
  while (rows->step()) numbers << rows->value(1).toString();
  numbers.sort();
  return numbers;
}

QStringList reportNumbers(Connection& c, ReportQuery report, const char* numberField) {
  ReportRows rows(c, report, {QString::fromLatin1(numberField)});
  QStringList numbers;
  QVariantList values;
  while (rows.next(values))
    if (!numbers.contains(values[0].toString())) numbers << values[0].toString();
  numbers.sort();
  return numbers;
}

QString boardText(const FollowUpBoard& board) {
  QStringList rows;
  for (const BoardRow& row : board) {
    QStringList cells;
    for (const BoardCell& cell : row) cells << QStringLiteral("%1/%2").arg(cell.count).arg(cell.value);
    rows << cells.join(' ');
  }
  return rows.join('\n');
}

}  // namespace

class FollowUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    registerReportForms();
    frmfollowup::setToday(kToday);
  }
  void everyCellCountsAndSumsItsDocuments();
  void boardAndReportsListTheSameDocuments();
  void paymentReceivedMarksTheInvoicePaid();
  void paymentReceivedRefusesAnInvoiceChangedElsewhere();
  void theReportHoldsTheListedDocuments();
  void keptTotalsFollowEveryWrite();
  void upgradeBuildsWhatANewDatabaseHasAndTheCheckStaysClean();
};

void FollowUpTest::everyCellCountsAndSumsItsDocuments() {
  TestDatabase db;
  Office office(db.connection());
  office.fill();
  QCOMPARE(boardText(readFollowUpBoard(db.connection(), kToday)), boardText(office.expected));
  // Each cell lists as many documents as it counts.
  for (int stage = 0; stage < kFollowUpStageCount; ++stage)
    for (int bucket = 0; bucket < kOverdueCount; ++bucket) {
      auto rows = wholeList(db.connection(), followUpList(FollowUpStage(stage), Overdue(bucket), kToday));
      qint64 listed = 0;
      while (rows->step()) ++listed;
      QCOMPARE(listed, office.expected[size_t(stage)][size_t(bucket)].count);
    }
  // A day later every edge has moved on by one.
  const FollowUpBoard tomorrow = readFollowUpBoard(db.connection(), kToday.addDays(1));
  QCOMPARE(tomorrow[3][size_t(Overdue::NotYetDue)].count, 1);  // only the one due in five days
  QCOMPARE(tomorrow[3][size_t(Overdue::Over90)].count, 2);     // 90 became 91
}

void FollowUpTest::boardAndReportsListTheSameDocuments() {
  TestDatabase db;
  Office office(db.connection());
  office.fill();
  Connection& c = db.connection();
  const std::pair<ReportQuery, const char*> reports[] = {{ReportQuery::PendingInquiries, "inqnum"},
                                                         {ReportQuery::PendingQuotations, "quotenum"},
                                                         {ReportQuery::PendingOrders, "ponum"},
                                                         {ReportQuery::Outstanding, "invoicenum"}};
  for (int stage = 0; stage < kFollowUpStageCount; ++stage) {
    QStringList expected = office.open[stage];
    expected.sort();
    QCOMPARE(boardNumbers(c, FollowUpStage(stage)), expected);
    QCOMPARE(reportNumbers(c, reports[stage].first, reports[stage].second), expected);
  }
}

namespace {

// A clerk at the board with two unpaid invoices 40 days overdue, the list of
// that cell shown and its first invoice current.
struct PaymentDesk {
  Clerk clerk{QStringLiteral("ravi")};
  QTableWidget* board;
  ViewGrid* list;

  PaymentDesk() {
    Connection& c = clerk.bench.db().connection();
    for (const char* number : {"V-A", "V-B"})
      RowWriter(c, "tinvoice").append(QVariantHash{{"invoicenum", number}, {"client", "ZETA"}, {"invoiceamount", 125000},
                                                   {"invoiceduedate", kToday.addDays(-40)}, {"paymentstatus", "NO"}});
    clerk.open("frmfollowup");
    board = clerk.bench.control<QTableWidget>(clerk.form, "dgboard");
    list = clerk.bench.control<ViewGrid>(clerk.form, "dgfollowup");
    clerk.bench.clickCell(board, int(FollowUpStage::Invoices), int(Overdue::UpTo60));
    clerk.bench.clickCell(list, 0, 0);
  }
  QString cell() const { return board->item(int(FollowUpStage::Invoices), int(Overdue::UpTo60))->text(); }
  QString confirmation() const { return "PAYMENT RECEIVED FOR INVOICE V-A OF ZETA, AMOUNT 1,25,000 ?  Click YES to store it.."; }
};

}  // namespace

void FollowUpTest::paymentReceivedMarksTheInvoicePaid() {
  PaymentDesk desk;
  Clerk& clerk = desk.clerk;
  QCOMPARE(desk.cell(), QString("2\n2,50,000"));
  QCOMPARE(clerk.at("lbltoday")->property("text").toString(), QString("TODAY: 30/06/24"));
  clerk.prompts.expect(desk.confirmation(), "PAYMENT RECEIVED", Prompter::Answer::Yes);
  clerk.click("cmdpayment");
  QTRY_VERIFY2(clerk.prompts.done(), clerk.prompts.report());

  QCOMPARE(clerk.storedList("SELECT invoicenum || '=' || paymentstatus FROM tinvoice ORDER BY invoicenum"),
           QString("V-A=YES,V-B=NO"));
  QCOMPARE(clerk.storedList("SELECT login || ' ' || source FROM tchangelog WHERE tablename = 'tinvoice' AND kind <> 'NEW'"),
           QString("ravi frmfollowup"));
  QCOMPARE(desk.cell(), QString("1\n1,25,000"));
  QCOMPARE(desk.list->model()->rowCount(), 1);
  QCOMPARE(reportNumbers(clerk.bench.db().connection(), ReportQuery::Outstanding, "invoicenum"), QStringList{"V-B"});

  // Only invoices are answered here.
  clerk.bench.clickCell(desk.board, int(FollowUpStage::Orders), int(Overdue::UpTo60));
  QVERIFY(!clerk.at("cmdpayment")->isEnabled());
}

void FollowUpTest::paymentReceivedRefusesAnInvoiceChangedElsewhere() {
  PaymentDesk desk;
  Clerk& clerk = desk.clerk;
  // Another computer corrects the amount after the list was shown.
  auto elsewhere = Connection::open(clerk.bench.db().path());
  RecordSet invoice = RecordSet::openWhere(*elsewhere, "tinvoice", "invoicenum = ?", {"V-A"});
  invoice.setValue("invoiceamount", 120000);
  invoice.updateBatch();

  clerk.prompts.expect(desk.confirmation(), "PAYMENT RECEIVED", Prompter::Answer::Yes)
      .expectContaining("changed elsewhere since it was listed");
  clerk.click("cmdpayment");
  QTRY_VERIFY2(clerk.prompts.done(), clerk.prompts.report());
  QCOMPARE(clerk.stored("SELECT paymentstatus FROM tinvoice WHERE invoicenum = 'V-A'"), QString("NO"));
  QCOMPARE(desk.cell(), QString("2\n2,45,000"));  // the board shows what is stored
}

// MAKE THE REPORT writes the cell's documents as listed, each with its days
// overdue on the board's day, into a new workbook that is then shown.
void FollowUpTest::theReportHoldsTheListedDocuments() {
  PaymentDesk desk;
  RecordingViewer viewer;
  desk.clerk.click("cmdreport");
  QTRY_COMPARE(viewer.shown.size(), 1);
  const WorkbookContent report = readWorkbook(viewer.shown.first());
  QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
  QStringList rows;
  for (const int row : {3, 4, 5}) {
    QStringList cells;
    for (const char column : QByteArray("ABCEFGH")) cells << report.cells.value(QString("%1%2").arg(column).arg(row)).value;
    rows << cells.join('|');
  }
  const QString due = QString::number(kToday.addDays(-40).toJulianDay() - QDate(1899, 12, 30).toJulianDay());
  QCOMPARE(rows, QStringList({"1|ZETA|V-A|" + due + "|40|125000|", "2|ZETA|V-B|" + due + "|40|125000|", "||||||"}));
}

// Every kind of write that opens, closes, moves or revalues a document, each
// followed by the kept totals against the documents themselves and by how
// many documents of all stages are open then.
void FollowUpTest::keptTotalsFollowEveryWrite() {
  TestDatabase db;
  Connection& c = db.connection();
  const std::pair<const char*, int> steps[] = {
      {"INSERT INTO tinquiry (inqnum, inqduedate, brate) VALUES ('I-1', '2024-06-01', 100), ('I-2', '2024-06-01', 40)", 0},
      {"INSERT INTO titemdescom (inqnum) VALUES (' i-1 '), ('I-2')", 2},
      {"UPDATE tinquiry SET brate = 150 WHERE inqnum = 'I-1'", 2},
      {"UPDATE tinquiry SET inqduedate = '2024-04-01' WHERE inqnum = 'I-1'", 2},
      {"UPDATE tinquiry SET inqduedate = NULL", 2},
      {"INSERT INTO tquote (quotenum, inqnum, quotedate, quoterate) VALUES ('Q-1', 'I-1 ', '2024-06-10', 70)", 1},
      {"UPDATE titemdescom SET quotenum = 'q-1' WHERE inqnum = ' i-1 '", 1},
      {"INSERT INTO taddressbook (inqnum) VALUES ('I-1')", 2},
      {"UPDATE tquote SET inqnum = 'OTHER'", 2},  // the inquiry is open again, the quotation has no contact
      {"UPDATE tquote SET inqnum = 'i-1'", 2},
      {"INSERT INTO tpo (ponum, quotenum, poduedate, povalue, orderexecutionstatus) VALUES ('P-1', 'Q-1', '2024-05-01', "
       "500, 'NO')",
       1},
      {"UPDATE titemdescom SET ponum = 'P-1' WHERE inqnum = ' i-1 '", 2},
      {"INSERT INTO tinvoice (invoicenum, ponum, invoiceduedate, invoiceamount, paymentstatus) VALUES ('V-1', 'P-1', "
       "'2024-06-20', 900, 'no')",
       3},  // invoiced, yet not executed
      {"UPDATE tpo SET orderexecutionstatus = 'yes'", 2},
      {"UPDATE tinvoice SET ponum = NULL", 3},
      {"UPDATE tinvoice SET invoiceamount = 950, invoiceduedate = '2024-03-01'", 3},
      {"UPDATE tinvoice SET paymentstatus = 'YES'", 2},
      {"UPDATE tinvoice SET paymentstatus = 'no', ponum = ' p-1'", 2},
      {"UPDATE tpo SET ponum = 'P-2'", 2},
      {"UPDATE titemdescom SET ponum = 'p-2 ' WHERE ponum = 'P-1'", 3},
      {"DELETE FROM tquote WHERE quotenum = 'Q-1'", 4},
      {"UPDATE titemdescom SET inqnum = NULL WHERE inqnum = ' i-1 '", 3},
      {"INSERT INTO tquote (quotenum) VALUES ('Q-NULL')", 3},
      {"DELETE FROM titemdescom", 1},
      {"DELETE FROM tinvoice", 0},
      {"DELETE FROM tinquiry", 0},
  };
  for (const auto& [sql, open] : steps) {
    c.execute(sql);
    const QStringList problems = followUpTotalProblems(c);
    QVERIFY2(problems.isEmpty(), qPrintable(QString(sql) + "\n" + problems.join('\n')));
    QVERIFY2(db.scalar("SELECT coalesce(sum(documents), 0) FROM tfollowuptotal").toInt() == open, sql);
  }
  QCOMPARE(db.count("tfollowupopen") + db.count("tfollowuptotal"), 0);  // no date is kept at nought
}

// A database of data version 7, 6 or 5 gets the totals of the documents it
// holds, and the check finds it as sound as a new one: triggers, indexes and
// totals.
void FollowUpTest::upgradeBuildsWhatANewDatabaseHasAndTheCheckStaysClean() {
  for (const int from : {7, 6, 5}) {
    TestDatabase db;
    Connection& c = db.connection();
    for (const char* k : {"1", "2"}) {
      const QString n(k);
      RowWriter(c, "tinquiry").append(QVariantHash{{"inqnum", "I-" + n}, {"inqduedate", kToday.addDays(-40)}, {"brate", 10}});
      RowWriter(c, "titemdescom").append(QVariantHash{{"inqnum", "I-" + n}, {"quotenum", "Q-" + n}, {"ponum", "P-" + n}});
      RowWriter(c, "taddressbook").append(QVariantHash{{"inqnum", "I-" + n}});
    }
    RowWriter(c, "tquote").append(QVariantHash{{"quotenum", "Q-1"}, {"inqnum", "I-1"}, {"quotedate", kToday}, {"quoterate", 20}});
    RowWriter(c, "tpo").append(QVariantHash{{"ponum", "P-1"}, {"quotenum", "Q-1"}, {"povalue", 30}, {"orderexecutionstatus", "NO"}});
    RowWriter(c, "tinvoice").append(QVariantHash{{"invoicenum", "V-1"}, {"ponum", "P-1"}, {"invoiceamount", 40},
                                                 {"invoiceduedate", kToday.addDays(-100)}, {"paymentstatus", "NO"}});
    const DatabaseCheck fresh = checkDatabase(c);
    QVERIFY2(fresh.sound(), qPrintable((fresh.brokenChains + fresh.logProblems).join('\n')));
    const QString board = boardText(readFollowUpBoard(c, kToday));
    QCOMPARE(board, QString("0/0 0/0 1/10 0/0 0/0 0/0\n0/0 0/0 0/0 0/0 0/0 0/0\n0/0 0/0 0/0 0/0 0/0 1/30\n"
                            "0/0 0/0 0/0 0/0 1/40 0/0"));

    const auto takeBack = from == 7 ? takeBackReportIndex : from == 6 ? takeBackFollowUp : takeBackListOrders;
    takeBack(c);
    QCOMPARE(c.dialect().schemaVersion(c), from);
    auto upgraded = Connection::open(db.path());
    QCOMPARE(upgraded->dialect().schemaVersion(*upgraded), kSchemaVersion);
    QCOMPARE(boardText(readFollowUpBoard(*upgraded, kToday)), board);
    QCOMPARE(schemaObjectProblems(expectedSchemaObjects(*upgraded), schemaObjectsOf(*upgraded)), QStringList());
    const DatabaseCheck report = checkDatabase(*upgraded);
    QVERIFY2(report.sound(), qPrintable((report.brokenChains + report.logProblems).join('\n')));
  }
}

QTEST_MAIN(FollowUpTest)
#include "tst_followup.moc"
