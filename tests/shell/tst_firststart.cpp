// The first start, where no database stands yet: a file path with nothing
// there, or a server database without tables. The offer leads to an empty
// database with the sign-in names typed, or to a demo one, then to sign-in.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "shell/frmfirststart.h"
#include "shell/frmmdi.h"
#include "shell/shellforms.h"
#include "store/connection.h"
#include "store/engine/serverlocation.h"
#include "store/files/newdatabase.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "tests/support/scriptedprompter.h"
#include "tests/support/testdatabase.h"
#include "toolkit/formhost.h"
#include "tools/demodata.h"

namespace {
// The first start's boxes filled, then CREATE clicked.
void createWith(QWidget* form, const QStringList& typed) {
  const QStringList boxes = {"txtadminname", "txtadminpassword", "txtclerkname", "txtclerkpassword"};
  for (int i = 0; i < boxes.size(); ++i) {
    auto* box = form->findChild<QLineEdit*>(boxes[i]);
    box->clear();
    QTest::keyClicks(box, typed.value(i));
  }
  QTest::mouseClick(form->findChild<QPushButton*>("cmdcreate"), Qt::LeftButton);
}

// The frame started where no database stands yet, the splash sheet passed.
struct FirstStart {
  EmptyDatabase place;
  ScriptedPrompter prompts;
  frmmdi frame{place.location()};
  QWidget* form = nullptr;

  FirstStart() {
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.start();
    QTest::keyClick(frame.host().find("frmSplash"), Qt::Key_Return);
    form = frame.host().find("frmfirststart");
  }
  void signIn(const QString& name, const QString& password) {
    QTRY_VERIFY(frame.host().find("frmLogin"));
    QWidget* login = frame.host().find("frmLogin");
    QTest::keyClicks(login->findChild<QLineEdit*>("txtusername"), name);
    QTest::keyClicks(login->findChild<QLineEdit*>("txtpassword"), password);
    QTest::mouseClick(login->findChild<QPushButton*>("cmdsubmituser"), Qt::LeftButton);
    QVERIFY(frame.host().find("frmmain"));
  }
};
}  // namespace

class FirstStartTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    registerShellForms();
  }
  void makesAnEmptyDatabase();
  void makesADemoDatabase();
};

void FirstStartTest::makesAnEmptyDatabase() {
  FirstStart start;
  QVERIFY(start.form);
  QVERIFY(!start.frame.host().find("frmLogin"));
  QCOMPARE(start.form->findChild<QLineEdit*>("txtwhere")->text(), shownServerLocation(start.place.location()));

  // The administrator screen's checks, and a clerk to sign in with.
  start.prompts.expect("ADMINISTRATOR: a name or password cannot begin or end with a blank.\nNo database was created.",
                       "NEW DATABASE", Prompter::Answer::Ok, Prompter::Icon::Warning)
      .expectContaining("USER 1: give the first clerk's name and password")
      .expectContaining("USER 1: the name boss is already used by another slot.");
  createWith(start.form, {"boss", "secret ", "", ""});
  createWith(start.form, {"boss", "secret", "", ""});
  createWith(start.form, {"boss", "secret", "boss", "typist"});
  QVERIFY2(start.prompts.done(), start.prompts.report());
  QVERIFY(awaitsCreation(start.place.location()));  // nothing made

  // Escape leads back to the splash sheet; a key there offers the first start again.
  QTest::keyClick(start.form->findChild<QLineEdit*>("txtclerkname"), Qt::Key_Escape);
  QTRY_VERIFY(start.frame.host().find("frmSplash") && !start.frame.host().find("frmfirststart"));
  QTest::keyClick(start.frame.host().find("frmSplash"), Qt::Key_Space);
  start.form = start.frame.host().find("frmfirststart");
  QVERIFY(start.form);

  start.prompts.expectContaining("The database was created:");
  createWith(start.form, {"boss", "secret", "asha", "typist"});
  QVERIFY2(start.prompts.done(), start.prompts.report());
  start.signIn("asha", "typist");
  auto check = Connection::open(start.place.location());
  QCOMPARE(readSignInSlots(openSignInSlots(*check)),
           QStringList({"boss", "secret", "asha", "typist", "", "", "", "", "", "", "", ""}));
}

void FirstStartTest::makesADemoDatabase() {
  offerDemoDatabase({[](Connection& connection) { fillDemoData(connection, 3); }, "Sign in as clerk."});
  FirstStart start;
  auto* names = start.form->findChild<QWidget*>("framesignin");
  QVERIFY(names->isEnabled());
  QTest::mouseClick(start.form->findChild<QRadioButton*>("optdemo"), Qt::LeftButton);
  QVERIFY(!names->isEnabled());
  start.prompts.expectContaining("Sign in as clerk.");
  QTest::mouseClick(start.form->findChild<QPushButton*>("cmdcreate"), Qt::LeftButton);
  QVERIFY2(start.prompts.done(), start.prompts.report());
  start.signIn(kDemoSlots[1].name, kDemoSlots[1].password);
  offerDemoDatabase({});
}

QTEST_MAIN(FirstStartTest)
#include "tst_firststart.moc"
