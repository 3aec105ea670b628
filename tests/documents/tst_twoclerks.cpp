// Two clerks at two computers (two processes) on one database: one enters an
// inquiry, the other quotes it, and both see the chain in the view form; and
// each computer stores its own clerk's name while the other signs in between.
#include <QProcess>
#include <QTableView>
#include <QtTest>

#include "browse/browseforms.h"
#include "documents/documentforms.h"
#include "tests/support/clerk.h"

namespace {

// The quotation list of the view form, as the clerk sees it after choosing its tab.
QString quotationsSeenBy(Clerk& clerk) {
  clerk.open("frmviewdata");
  clerk.bench.clickTab(clerk.bench.control<QTabWidget>(clerk.form, "SSTab1"), 2);
  QAbstractItemModel* list = clerk.bench.control<QTableView>(clerk.form, "dgquote")->model();
  if (!QTest::qWaitFor([list] { return list->rowCount() > 0; })) return {};
  QStringList rows;
  for (int r = 0; r < list->rowCount(); ++r)
    rows << list->index(r, 0).data().toString() + ' ' + list->index(r, 1).data().toString() + ' ' +
                list->index(r, 4).data().toString().trimmed();
  return rows.join(", ");
}

// The other computer's half of a test: a process of its own on this test's database.
void startOtherComputer(QProcess& other, Clerk& clerk, const char* testFunction) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("VANTORA_TEST_JOIN", clerk.bench.db().path());
  other.setProcessEnvironment(environment);
  other.setProcessChannelMode(QProcess::MergedChannels);
  other.start(QCoreApplication::applicationFilePath(), {testFunction});
}

bool finishedWell(QProcess& other) {
  return other.waitForFinished(240'000) && other.exitStatus() == QProcess::NormalExit && other.exitCode() == 0;
}

// Waits until the other computer has got as far as `rows` rows of the table.
bool waitForRows(Clerk& clerk, const QString& table, int rows) {
  return QTest::qWaitFor([&] { return clerk.rows(table) >= rows; }, 60'000);
}

constexpr int kRounds = 5;

}  // namespace

class TwoClerksTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    registerDocumentForms();
    registerBrowseForms();
  }
  void aChainIsBuiltFromTwoComputers();
  void secondComputerQuotes();  // run by the first test in a process of its own
  void eachComputerStoresItsOwnClerk();
  void secondClerkSignsInBetween();  // run by the test above in a process of its own
};

void TwoClerksTest::aChainIsBuiltFromTwoComputers() {
  if (joiningAnotherTest()) QSKIP("the first computer's half");
  Clerk anita("clerk");
  anita.enterInquiry("INQ/1", "ACME PUMPS", {{"p", "PUMP 50X32(2)", "2", "KSB"}});

  QProcess ravi;
  startOtherComputer(ravi, anita, "secondComputerQuotes");
  QVERIFY2(finishedWell(ravi), ravi.readAll().constData());

  QCOMPARE(quotationsSeenBy(anita), QString("ACME PUMPS Q/1 PUMP 50X32(2)"));
  QCOMPARE(anita.stored("SELECT loginquote || '|' || quotesendstatus FROM tquote, tinquiry"), QString("ravi|YES"));
}

void TwoClerksTest::secondComputerQuotes() {
  if (!joiningAnotherTest()) QSKIP("run by the first computer's half");
  Clerk ravi("ravi");
  ravi.enterQuotation("INQ/1", "Q/1");
  QCOMPARE(quotationsSeenBy(ravi), QString("ACME PUMPS Q/1 PUMP 50X32(2)"));
}

// Round by round: this clerk signs in, the other clerk signs in at the other
// computer, then each enters an inquiry. The last sign-in in the database is
// always the other computer's when this one saves.
void TwoClerksTest::eachComputerStoresItsOwnClerk() {
  if (joiningAnotherTest()) QSKIP("the first computer's half");
  Clerk anita("clerk");
  QProcess ravi;
  startOtherComputer(ravi, anita, "secondClerkSignsInBetween");
  for (int round = 0; round < kRounds; ++round) {
    if (round > 0) anita.bench.db().signIn("clerk");
    QVERIFY(waitForRows(anita, "tloginwork", 2 * round + 2));
    anita.enterInquiry(QString("A/%1").arg(round), "ACME PUMPS", {{"p", "PUMP", "1", "KSB"}});
    QVERIFY(waitForRows(anita, "tinquiry", 2 * round + 2));
  }
  QVERIFY2(finishedWell(ravi), ravi.readAll().constData());

  QCOMPARE(anita.rows("tinquiry"), qint64(2 * kRounds));
  const QString wrongRows =
      "SELECT count(*) FROM tinquiry WHERE login <> CASE WHEN inqnum LIKE 'A/%' THEN 'clerk' ELSE 'ravi' END";
  QCOMPARE(anita.stored(wrongRows), QString("0"));
  const QString wrongEntries = "SELECT count(*) FROM tchangelog WHERE number IS NOT NULL AND login <> CASE WHEN number "
                               "LIKE 'A/%' THEN 'clerk' ELSE 'ravi' END";
  QCOMPARE(anita.stored(wrongEntries), QString("0"));
  QCOMPARE(anita.stored("SELECT count(*) FROM tchangelog WHERE number IS NOT NULL"), QString::number(6 * kRounds));
}

void TwoClerksTest::secondClerkSignsInBetween() {
  if (!joiningAnotherTest()) QSKIP("run by eachComputerStoresItsOwnClerk");
  Clerk ravi("ravi");
  for (int round = 0; round < kRounds; ++round) {
    if (round > 0) {
      QVERIFY(waitForRows(ravi, "tloginwork", 2 * round + 1));
      ravi.bench.db().signIn("ravi");
    }
    QVERIFY(waitForRows(ravi, "tinquiry", 2 * round + 1));
    ravi.enterInquiry(QString("B/%1").arg(round), "BETA MOTORS", {{"motor", "MOTOR", "1", "ABB"}});
  }
}

QTEST_MAIN(TwoClerksTest)
#include "tst_twoclerks.moc"
