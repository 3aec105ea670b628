// The administrator's screen: reached with the administrator's own pair, slots
// changed in its grid and stored only by SAVE DATA, and what sign-in then accepts.
#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QAccessible>
#include <QTableView>
#include <QtTest>

#include "shell/editgate.h"
#include "shell/shellforms.h"
#include "store/logins.h"
#include "tests/support/formbench.h"
#include "tests/support/scriptedprompter.h"

namespace {

constexpr int kUser1Password = 3, kUser2Password = 5;

struct AdminDesk {
  FormBench bench;
  ScriptedPrompter prompts;

  // The sign-in form's two boxes filled, then one of its buttons clicked.
  void submit(const char* button, const QString& name, const QString& password) {
    QWidget* login = bench.host().find("frmLogin") ? bench.host().find("frmLogin") : bench.show("frmLogin");
    for (const auto& [box, text] : {std::pair{"txtusername", name}, std::pair{"txtpassword", password}}) {
      bench.clear(bench.control<QLineEdit>(login, box));
      bench.type(bench.control<QLineEdit>(login, box), text);
    }
    bench.click(bench.control<QPushButton>(login, button));
  }
  QWidget* adminForm() { return bench.host().find("frmadmintask"); }
  QTableView* grid() { return bench.control<QTableView>(adminForm(), "DataGrid1"); }
  QString slot(const char* column) {
    return bench.db().scalar(QString("SELECT %1 FROM tloginpassword").arg(column)).toString();
  }
};

}  // namespace

class AdminTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerShellForms(); }
  void reachedOnlyWithTheAdministratorsOwnPair();
  void saveDataStoresTheRowAndSignInFollows();
  void slotsThatCouldNotSignInAreRefused_data();
  void slotsThatCouldNotSignInAreRefused();
};

void AdminTest::reachedOnlyWithTheAdministratorsOwnPair() {
  AdminDesk d;
  d.prompts.expect("Invalid Password, try again!")
      .expect("Invalid User Name, try again!")
      .expect("Invalid UserName/Password, try again!");
  d.submit("cmdsubmitadmin", "admin", "clerkpw");
  d.submit("cmdsubmitadmin", "clerk", "adminpw");
  d.submit("cmdsubmitadmin", "clerk", "clerkpw");  // a user's own pair is no administrator's
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(!d.adminForm());

  d.submit("cmdsubmitadmin", " admin ", "adminpw");
  QTRY_VERIFY(d.adminForm());
  QTRY_VERIFY(!d.bench.host().find("frmLogin"));
  QCOMPARE(d.adminForm()->windowTitle(), QString("Admin Task Form"));
  QCOMPARE(d.bench.db().count("tloginwork"), 0);  // not a sign-in to the working forms

  // Its close box leads back to the sign-in form too.
  d.bench.clickCloseBox(d.adminForm());
  QTRY_VERIFY(d.bench.host().find("frmLogin"));
  QVERIFY(!d.adminForm());
}

void AdminTest::saveDataStoresTheRowAndSignInFollows() {
  AdminDesk d;
  d.bench.show("frmadmintask");
  QAbstractItemModelTester tester(d.grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
  QCOMPARE(d.grid()->model()->rowCount(), 1);
  // Every password shows as the same dots, on screen and to a screen reader: neither it nor its length is told.
  QAccessibleTableInterface* cells = QAccessible::queryAccessibleInterface(d.grid())->tableInterface();
  for (int column : {kUser1Password, kUser2Password}) {  // "clerkpw", "ravipw"
    QCOMPARE(d.grid()->model()->index(0, column).data().toString(), QString(8, QChar(0x25CF)));
    QCOMPARE(cells->cellAt(0, column)->text(QAccessible::Name), QString("hidden"));
  }
  QCOMPARE(cells->cellAt(0, kUser2Password + 2)->text(QAccessible::Name), QString("none"));  // an unused slot
  QCOMPARE(cells->cellAt(0, kUser1Password - 1)->text(QAccessible::Name), QString("clerk"));  // names are no secret

  d.bench.typeIntoCell(d.grid(), 0, kUser1Password, "newpw");
  d.bench.typeIntoCell(d.grid(), 0, kUser2Password - 1, "");  // ravi's slot emptied
  d.bench.typeIntoCell(d.grid(), 0, kUser2Password, "");
  d.bench.click(d.bench.control<QPushButton>(d.adminForm(), "Command1"));
  QCOMPARE(d.slot("user1password"), QString("newpw"));
  QCOMPARE(d.bench.db().scalar("SELECT user2name = '' AND user2password = '' FROM tloginpassword").toInt(), 1);  // not null

  // Typed, then left by Go Back without SAVE DATA: not stored.
  d.bench.typeIntoCell(d.grid(), 0, kUser1Password - 1, "clerk2");
  d.bench.click(d.bench.control<QPushButton>(d.adminForm(), "Command2"));
  QTRY_VERIFY(d.bench.host().find("frmLogin"));
  QVERIFY(!d.adminForm());
  QCOMPARE(d.slot("user1name"), QString("clerk"));

  // The sign-in form and the edit-data gate take the new password, not the old.
  d.prompts.expect("Invalid Password, try again!");
  d.submit("cmdsubmituser", "clerk", "clerkpw");
  d.prompts.expect("EDITING DATA IS CRITICAL OPERATION, DO YOU REALY WANT TO EDIT DATA??", "ALERT!!!", Prompter::Answer::Yes)
      .expectInput("WRITE  LOGIN  NAME", "USER NAME", "clerk")
      .expectInput("WRITE  PASSWORD", "PASSWORD", "clerkpw", Prompter::Echo::Masked)
      .expect("Invalid Password, try again!");
  passEditGate(d.bench.host());
  d.prompts.expect("EDITING DATA IS CRITICAL OPERATION, DO YOU REALY WANT TO EDIT DATA??", "ALERT!!!", Prompter::Answer::Yes)
      .expectInput("WRITE  LOGIN  NAME", "USER NAME", "clerk")
      .expectInput("WRITE  PASSWORD", "PASSWORD", "newpw", Prompter::Echo::Masked);
  passEditGate(d.bench.host());
  QCOMPARE(d.bench.db().count("tlogineditdata"), 1);
  d.submit("cmdsubmituser", "clerk", "newpw");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(currentLoginName(d.bench.db().connection()), QString("clerk"));
}

void AdminTest::slotsThatCouldNotSignInAreRefused_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("reason");
  QTest::newRow("no administrator name") << 0 << "" << "ADMINISTRATOR: the name and the password cannot be empty.";
  QTest::newRow("a name twice") << 4 << "clerk" << "USER 2: the name clerk is already used by another slot.";
  QTest::newRow("a blank at the end") << 3 << "newpw " << "USER 1: a name or password cannot begin or end with a blank.";
  QTest::newRow("a name without a password")
      << 6 << "sita" << "USER 3: give both a name and a password, or leave both empty to keep the slot unused.";
}

void AdminTest::slotsThatCouldNotSignInAreRefused() {
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(QString, reason);
  AdminDesk d;
  d.bench.show("frmadmintask");
  d.bench.typeIntoCell(d.grid(), 0, column, typed);
  d.prompts.expect(reason + "\nNothing was saved.", "SAVE DATA");
  d.bench.click(d.bench.control<QPushButton>(d.adminForm(), "Command1"));
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.bench.db().scalar("SELECT count(*) FROM tloginpassword WHERE adminname = 'admin' AND user1password = "
                               "'clerkpw' AND user2name = 'ravi' AND user3name = ''").toInt(),
           1);
  QCOMPARE(d.grid()->model()->index(0, column).data(Qt::EditRole).toString(), typed);  // kept for correcting
}

QTEST_MAIN(AdminTest)
#include "tst_admin.moc"
