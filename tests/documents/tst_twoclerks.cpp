// Two clerks at two computers (two processes) on one server: one enters an
// inquiry, the other quotes it, and both see the chain in the view form.
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
};

void TwoClerksTest::aChainIsBuiltFromTwoComputers() {
  if (joiningAnotherTest()) QSKIP("the first computer's half");
  Clerk anita("clerk");
  anita.enterInquiry("INQ/1", "ACME PUMPS", {{"p", "PUMP 50X32(2)", "2", "KSB"}});

  QProcess ravi;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("VANTORA_TEST_JOIN", anita.bench.db().path());
  ravi.setProcessEnvironment(environment);
  ravi.setProcessChannelMode(QProcess::MergedChannels);
  ravi.start(QCoreApplication::applicationFilePath(), {"secondComputerQuotes"});
  QVERIFY(ravi.waitForFinished(120'000));
  QVERIFY2(ravi.exitStatus() == QProcess::NormalExit && ravi.exitCode() == 0, ravi.readAll().constData());

  QCOMPARE(quotationsSeenBy(anita), QString("ACME PUMPS Q/1 PUMP 50X32(2)"));
  QCOMPARE(anita.stored("SELECT loginquote || '|' || quotesendstatus FROM tquote, tinquiry"), QString("ravi|YES"));
}

void TwoClerksTest::secondComputerQuotes() {
  if (!joiningAnotherTest()) QSKIP("run by the first computer's half");
  Clerk ravi("ravi");
  ravi.enterQuotation("INQ/1", "Q/1");
  QCOMPARE(quotationsSeenBy(ravi), QString("ACME PUMPS Q/1 PUMP 50X32(2)"));
}

QTEST_MAIN(TwoClerksTest)
#include "tst_twoclerks.moc"
