// Who may sign in, what each refusal says, and what a sign-in leaves behind.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "shell/frmlogin.h"
#include "shell/shellforms.h"
#include "store/logins.h"
#include "tests/support/formbench.h"
#include "tests/support/scriptedprompter.h"

namespace {
// admin/adminpw in slot 0, clerk/clerkpw and ravi/ravipw in slots 1 and 2, the rest unused.
const QStringList kSlots = {"admin", "adminpw", "clerk", "clerkpw", "ravi", "ravipw", "", "", "", "", "", ""};
}

class SignInTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerShellForms(); }
  void rules_data();
  void rules();
  void editGateAlsoAcceptsTheAdministrator();
  void failuresWriteNothingAndOneSuccessWritesOneRow();
  void laterSignInChangesTheCurrentLoginName();
};

void SignInTest::rules_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("password");
  QTest::addColumn<int>("verdict");
  const int ok = int(SignInVerdict::Success), badPassword = int(SignInVerdict::InvalidPassword),
            badName = int(SignInVerdict::InvalidUserName), both = int(SignInVerdict::InvalidUserNameAndPassword);
  QTest::newRow("own pair") << "clerk" << "clerkpw" << ok;
  QTest::newRow("blanks around both are ignored") << "  ravi " << " ravipw  " << ok;
  QTest::newRow("name in other letter case") << "CLERK" << "clerkpw" << badName;
  QTest::newRow("password in other letter case") << "clerk" << "CLERKPW" << badPassword;
  QTest::newRow("one user's name with another's password") << "clerk" << "ravipw" << badPassword;
  QTest::newRow("administrator with a user's password") << "admin" << "clerkpw" << badName;
  QTest::newRow("administrator's own pair") << "admin" << "adminpw" << both;
  QTest::newRow("empty name and password never match an unused slot") << "" << "" << both;
  QTest::newRow("unknown name, known password") << "nobody" << "ravipw" << badName;
  QTest::newRow("nothing known") << "nobody" << "secret" << both;
}

void SignInTest::rules() {
  QFETCH(QString, name);
  QFETCH(QString, password);
  QFETCH(int, verdict);
  QCOMPARE(int(checkSignIn(kSlots, name, password, SignInSlots::UsersOnly)), verdict);
}

void SignInTest::editGateAlsoAcceptsTheAdministrator() {
  QCOMPARE(checkSignIn(kSlots, "admin", "adminpw", SignInSlots::WithAdministrator), SignInVerdict::Success);
  QCOMPARE(checkSignIn(kSlots, "admin", "ravipw", SignInSlots::WithAdministrator), SignInVerdict::InvalidPassword);
  QCOMPARE(checkSignIn(kSlots, "", "", SignInSlots::WithAdministrator), SignInVerdict::InvalidUserNameAndPassword);
}

void SignInTest::failuresWriteNothingAndOneSuccessWritesOneRow() {
  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* login = bench.show("frmLogin");
  QVERIFY(login);
  QCOMPARE(login->windowTitle(), QString("User Login"));
  auto* name = bench.control<QLineEdit>(login, "txtusername");
  auto* password = bench.control<QLineEdit>(login, "txtpassword");
  auto* submit = bench.control<QPushButton>(login, "cmdsubmituser");
  QCOMPARE(password->echoMode(), QLineEdit::Password);
  QCOMPARE(QApplication::focusWidget(), name);
  QSignalSpy signedIn(qobject_cast<frmLogin*>(login), &frmLogin::signedIn);

  const QList<QPair<QString, QString>> attempts = {{"clerk", "wrong"}, {"who", "clerkpw"}, {"who", "what"}};
  prompts.expect("Invalid Password, try again!", "")
      .expect("Invalid User Name, try again!", "")
      .expect("Invalid UserName/Password, try again!", "");
  for (const auto& [n, p] : attempts) {
    name->setText(n);
    password->setText(p);
    bench.click(submit);
  }
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(bench.db().count("tloginwork"), 0);
  QCOMPARE(name->text(), QString("who"));  // the boxes keep what was typed
  QCOMPARE(signedIn.count(), 0);

  name->setText(" ravi ");
  password->setText("ravipw");
  bench.click(submit);
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(signedIn.count(), 1);
  QCOMPARE(bench.db().count("tloginwork"), 1);
  QCOMPARE(bench.db().scalar("SELECT login FROM tloginwork").toString(), QString("ravi"));
  QCOMPARE(bench.db().scalar("SELECT date FROM tloginwork").toString(), QDate::currentDate().toString(Qt::ISODate));
  QTRY_VERIFY(!bench.host().find("frmLogin"));  // the sign-in form has closed
}

void SignInTest::laterSignInChangesTheCurrentLoginName() {
  FormBench bench;
  ScriptedPrompter prompts;
  for (const char* user : {"clerk", "ravi"}) {
    QWidget* login = bench.show("frmLogin");
    bench.control<QLineEdit>(login, "txtusername")->setText(user);
    bench.control<QLineEdit>(login, "txtpassword")->setText(QString(user) + "pw");
    bench.click(bench.control<QPushButton>(login, "cmdsubmituser"));
    QTRY_VERIFY(!bench.host().find("frmLogin"));
    QCOMPARE(currentLoginName(bench.db().connection()), QString(user));
  }
  QVERIFY2(prompts.done(), prompts.report());
}

QTEST_MAIN(SignInTest)
#include "tst_signin.moc"
