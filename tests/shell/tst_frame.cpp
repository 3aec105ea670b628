// The frame: what works before sign-in, how the program ends, one copy per form.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "shell/frmmdi.h"
#include "shell/programicon.h"
#include "shell/shellforms.h"
#include "tests/support/scriptedprompter.h"
#include "tests/support/testdatabase.h"
#include "toolkit/formbase.h"
#include "toolkit/formhost.h"

namespace {

const QStringList kWorkingMenus = {"input", "viewdata", "editdata", "query", "report", "backup", "help"};
const QString kExitQuestion =
    " WARNING!!!CLOSING THIS FORM WILL CLOSE ALL FORM AND THIS PROGRAM..Do you want to close??";
const QString kCloseBoxMessage = "To close this software, please click at EXIT menu..";

QAction* menu(frmmdi& frame, const QString& name) {
  for (QAction* action : frame.menuBar()->actions())
    if (action->objectName() == name) return action;
  return frame.findChild<QAction*>(name);
}

void signIn(frmmdi& frame, const QString& user) {
  QWidget* splash = frame.host().find("frmSplash");
  QVERIFY(splash);
  QTest::keyClick(splash, Qt::Key_Space);  // any key leads on
  QWidget* login = frame.host().find("frmLogin");
  QVERIFY(login);
  QVERIFY(!frame.host().find("frmSplash"));
  login->findChild<QLineEdit*>("txtusername")->setText(user);
  login->findChild<QLineEdit*>("txtpassword")->setText(user + "pw");
  QTest::mouseClick(login->findChild<QPushButton*>("cmdsubmituser"), Qt::LeftButton);
}

// Forms standing in for those of later folders: one that asks before SHOW,
// one that wants its CLOSE button.
int releasedForms = 0;

class StandIn : public FormBase {
 public:
  StandIn(const QString& name, const CloseRule& rule) : FormBase(name) { setCloseRule(rule); }

 protected:
  void releaseData() override { ++releasedForms; }
};

// A started frame on a fresh database, with a scripted prompter.
struct StartedFrame {
  TestDatabase db;
  ScriptedPrompter prompts;
  frmmdi frame{db.path()};

  StartedFrame() {
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.start();
  }
};

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // the frame keeps its place in the test's own settings
    registerShellForms();
    registerForm("frmfreshentry",
                 [](FormHost&) { return new StandIn("frmfreshentry", CloseRule::entryForm([] { return false; })); });
    registerForm("frmbrowsing", [](FormHost&) { return new StandIn("frmbrowsing", CloseRule::useCloseButton()); });
    registerForm("frmeditdata", [](FormHost&) { return new StandIn("frmeditdata", CloseRule::none()); });
  }
  void splashLoadsNeitherEngine();  // first: no test before it has opened a database
  void beforeSignInOnlyExitWorks();
  void signInEnablesTheMenusAndShowsThePanel();
  void closeBoxNeverEndsTheProgram();
  void exitWithARefusingFormKeepsRunning();
  void exitEndsWithThePanelOpen();
  void openFormIsBroughtForward();
  void splashClickLeadsToSignIn();
  void splashShowsTheIconAndTheBuildsVersion();
  void backupMenuMakesACopy();
  void editGateOpensForOneSlotFromButtonOrMenu();
  void editGateRefusesAndWritesNothing();
};

void FrameTest::splashLoadsNeitherEngine() {
  QTemporaryDir dir;
  frmmdi frame(dir.filePath("lumo.db"));
  frame.show();
  frame.start();
  QVERIFY(QTest::qWaitForWindowExposed(&frame));
  QVERIFY(frame.host().find("frmSplash"));
  QFile maps("/proc/self/maps");
  QVERIFY(maps.open(QIODevice::ReadOnly));
  const QByteArray loaded = maps.readAll();
  QVERIFY(!loaded.contains("libsqlcipher"));
  QVERIFY(!loaded.contains("libpq"));
}

void FrameTest::beforeSignInOnlyExitWorks() {
  StartedFrame started;
  frmmdi& frame = started.frame;
  for (const QString& name : kWorkingMenus) QVERIFY2(!menu(frame, name)->isEnabled(), qPrintable(name));
  QVERIFY(menu(frame, "exit")->isEnabled());
  QCOMPARE(menu(frame, "input")->text(), QString("             INPUT "));
  QCOMPARE(menu(frame, "exit")->text(), QString("               EXIT"));
  QCOMPARE(frame.findChild<QAction*>("inquiry")->text(), QString("               INQUIRY"));
  QCOMPARE(frame.findChild<QAction*>("rptout")->text(), QString("                                   OUTSTANDING  REPORT"));

  // A screen reader hears the captions' words, without the blanks that place them.
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(frame.menuBar());
  QStringList heard;
  for (int i = 0; i < bar->childCount(); ++i) heard << bar->child(i)->text(QAccessible::Name);
  QCOMPARE(heard, QStringList({"INPUT", "VIEW", "EDIT", "QUERY", "REPORT", "BACK UP", "HELP", "EXIT"}));
  QAccessibleInterface* inputMenu = bar->child(0)->child(0);
  QCOMPARE(inputMenu->child(0)->text(QAccessible::Name), QString("INQUIRY"));
  QCOMPARE(inputMenu->child(0)->role(), QAccessible::MenuItem);
  QVERIFY(bar->child(6)->state().disabled);  // HELP waits for sign-in
  QVERIFY(bar->child(6)->actionInterface()->actionNames().isEmpty());
}

void FrameTest::signInEnablesTheMenusAndShowsThePanel() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  signIn(frame, "clerk");
  for (const QString& name : kWorkingMenus) QVERIFY2(menu(frame, name)->isEnabled(), qPrintable(name));
  QAccessibleInterface* help = QAccessible::queryAccessibleInterface(frame.menuBar())->child(6);
  help->actionInterface()->doAction(QAccessibleActionInterface::pressAction());  // as a screen reader presses it
  QVERIFY(frame.host().find("frmhelp"));
  frame.host().find("frmhelp")->findChild<QPushButton*>("cmdclose")->click();
  QWidget* panel = frame.host().find("frmmain");
  QVERIFY(panel);
  QCOMPARE(panel->findChild<QPushButton*>("cmdinquiry")->toolTip(), QString("TO ENTER DATA OF INQUIRY..."));

  prompts.expect("To see instruction for database backup , please see BACK UP option by clicking HELP BUTTON...",
                 "INFO...", Prompter::Answer::Ok, Prompter::Icon::Information);
  QTest::mouseClick(panel->findChild<QPushButton*>("Command6"), Qt::LeftButton);
  // A destination whose form is not there yet does nothing at all.
  QTest::mouseClick(panel->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(frame.findChild<QMdiArea*>()->subWindowList().size(), 1);
}

void FrameTest::closeBoxNeverEndsTheProgram() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  prompts.expect(kCloseBoxMessage, "Info..", Prompter::Answer::Ok, Prompter::Icon::Error);
  QVERIFY(!frame.close());
  QVERIFY(frame.isVisible());
  QVERIFY2(prompts.done(), prompts.report());
}

void FrameTest::exitWithARefusingFormKeepsRunning() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  signIn(frame, "clerk");
  releasedForms = 0;
  frame.host().show("frmfreshentry");
  frame.host().show("frmbrowsing");

  // Every form is asked first: the fresh entry form agrees, the browsing form
  // refuses, and so none closes.
  prompts.expect(kExitQuestion, "ALERT!!", Prompter::Answer::Yes)
      .expect("Want to Close Form??", "ALERT!", Prompter::Answer::Yes)
      .expect("Please use CLOSE button at bottom to close this form..", "ALERT!");
  menu(frame, "exit")->trigger();
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(frame.isVisible());
  for (const char* form : {"frmmain", "frmfreshentry", "frmbrowsing"}) QVERIFY2(frame.host().find(form), form);
  QCOMPARE(releasedForms, 0);

  // The refusal leaves the close box guarded as before.
  prompts.expect(kCloseBoxMessage);
  QVERIFY(!frame.close());
  QVERIFY2(prompts.done(), prompts.report());

  // EXIT answered NO does nothing.
  prompts.expect(kExitQuestion, Prompter::Answer::No);
  menu(frame, "exit")->trigger();
  QVERIFY(frame.isVisible());
  QVERIFY2(prompts.done(), prompts.report());
}

void FrameTest::exitEndsWithThePanelOpen() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  signIn(frame, "clerk");
  releasedForms = 0;
  frame.host().show("frmfreshentry");
  prompts.expect(kExitQuestion, Prompter::Answer::Yes).expect("Want to Close Form??", Prompter::Answer::Yes);
  menu(frame, "exit")->trigger();
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(!frame.isVisible());
  QCOMPARE(releasedForms, 1);

  // The panel's own CLOSE closes only the panel.
  StartedFrame again;
  signIn(again.frame, "clerk");
  again.prompts.expect("Warning!! Closing this form will close whole program!!  Click YES if want to close main "
                       "form...Click NO to more work...",
                       "", Prompter::Answer::Yes);
  QTest::mouseClick(again.frame.host().find("frmmain")->findChild<QPushButton*>("cmdclosemainform"), Qt::LeftButton);
  QTRY_VERIFY(!again.frame.host().find("frmmain"));
  QVERIFY(again.frame.isVisible());
  QVERIFY2(again.prompts.done(), again.prompts.report());
}

void FrameTest::openFormIsBroughtForward() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  QWidget* splash = frame.host().find("frmSplash");
  QWidget* login = frame.host().show("frmLogin");
  QVERIFY(login);
  auto* area = frame.findChild<QMdiArea*>();
  QCOMPARE(FormHost::formIn(area->activeSubWindow()), login);
  QCOMPARE(frame.host().show("frmSplash"), splash);  // the same copy, not a second
  QCOMPARE(area->subWindowList().size(), 2);
  QCOMPARE(FormHost::formIn(area->activeSubWindow()), splash);
}

void FrameTest::splashClickLeadsToSignIn() {
  StartedFrame started;
  frmmdi& frame = started.frame;
  QWidget* splash = frame.host().find("frmSplash");
  QTest::mouseClick(splash->findChild<QFrame*>("Frame1"), Qt::LeftButton);
  QWidget* login = frame.host().find("frmLogin");
  QVERIFY(login);
  QTRY_VERIFY(!frame.host().find("frmSplash"));

  // Escape leaves the sign-in form for the splash sheet, from which Escape, a key like any other, leads on.
  QTest::keyClick(login->findChild<QLineEdit*>("txtusername"), Qt::Key_Escape);
  QTRY_VERIFY(frame.host().find("frmSplash") && !frame.host().find("frmLogin"));
  QTest::keyClick(frame.host().find("frmSplash"), Qt::Key_Escape);
  QTRY_VERIFY(frame.host().find("frmLogin") && !frame.host().find("frmSplash"));
  QVERIFY2(started.prompts.done(), started.prompts.report());
}

void FrameTest::splashShowsTheIconAndTheBuildsVersion() {
  StartedFrame started;
  QWidget* splash = started.frame.host().find("frmSplash");
  QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(), QString("Version : " VANTORA_VERSION));
  const QImage shown = splash->findChild<QWidget*>("Image1")->grab().toImage();
  const QImage icon = drawProgramIcon(shown.width());
  QCOMPARE(shown.size(), QSize(96, 96));
  int differing = 0;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x)
      if (qAlpha(icon.pixel(x, y)) == 255 && shown.pixel(x, y) != icon.pixel(x, y)) ++differing;
  QCOMPARE(differing, 0);
}

void FrameTest::backupMenuMakesACopy() {
  TestDatabase db;
  ScriptedPrompter prompts;
  frmmdi frame(db.folder() + "/lumo/database.db");
  QDir().mkpath(db.folder() + "/lumo");
  QVERIFY(QFile::copy(db.path(), db.folder() + "/lumo/database.db"));
  frame.show();
  frame.start();
  signIn(frame, "clerk");
  prompts.expectContaining(db.folder() + "/databasebackup/database-");
  menu(frame, "backup")->trigger();
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(QDir(db.folder() + "/databasebackup").entryList({"database-*"}, QDir::Files).size(), 1);
  QVERIFY(QFile::exists(db.folder() + "/databasebackup/changelog-witnesses"));  // the sign-in and the backup noted the log's head

  // The usual folder cannot be made (a file stands in its way): the database's own folder takes the copy.
  QVERIFY(QDir(db.folder() + "/databasebackup").removeRecursively());
  QFile inTheWay(db.folder() + "/databasebackup");
  QVERIFY(inTheWay.open(QIODevice::WriteOnly));
  inTheWay.close();
  prompts.expectContaining(db.folder() + "/lumo/databasebackup/database-");
  menu(frame, "backup")->trigger();
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(prompts.seen().last().contains("The usual backup folder " + db.folder() + "/databasebackup cannot be made"));
  QCOMPARE(QDir(db.folder() + "/lumo/databasebackup").entryList({"database-*"}, QDir::Files).size(), 1);
}

namespace {
const QString kEditQuestion = "EDITING DATA IS CRITICAL OPERATION, DO YOU REALY WANT TO EDIT DATA??";

// The question answered YES, then the name and the password (masked) typed.
void answerGate(ScriptedPrompter& prompts, const QString& name, const QString& password) {
  prompts.expect(kEditQuestion, "ALERT!!!", Prompter::Answer::Yes)
      .expectInput("WRITE  LOGIN  NAME", "USER NAME", name)
      .expectInput("WRITE  PASSWORD", "PASSWORD", password, Prompter::Echo::Masked);
}
}  // namespace

void FrameTest::editGateOpensForOneSlotFromButtonOrMenu() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  signIn(frame, "clerk");
  QWidget* panel = frame.host().find("frmmain");
  QVERIFY(panel);
  const std::vector<std::function<void()>> ways = {
      [&] { QTest::mouseClick(panel->findChild<QPushButton*>("Command2"), Qt::LeftButton); },
      [&] { menu(frame, "editdata")->trigger(); },
  };
  for (const auto& way : ways) {
    answerGate(prompts, " admin ", "adminpw");  // the administrator may correct data, blanks trimmed
    way();
    QVERIFY2(prompts.done(), prompts.report());
    QVERIFY(frame.host().find("frmeditdata"));
    frame.host().find("frmeditdata")->close();
  }
  QCOMPARE(db.count("tlogineditdata"), 2);
  QCOMPARE(db.scalar("SELECT login FROM tlogineditdata ORDER BY pkeylogineditdata DESC LIMIT 1").toString(), QString("admin"));
}

void FrameTest::editGateRefusesAndWritesNothing() {
  StartedFrame started;
  auto& [db, prompts, frame] = started;
  signIn(frame, "clerk");
  QAction* edit = menu(frame, "editdata");
  prompts.expect(kEditQuestion, "ALERT!!!", Prompter::Answer::No);  // no boxes follow
  edit->trigger();
  answerGate(prompts, "clerk", "ravipw");  // a name and another slot's password
  prompts.expect("Invalid Password, try again!");
  edit->trigger();
  answerGate(prompts, "", "");  // both boxes cancelled, while three slots are unused
  prompts.expect("Invalid UserName/Password, try again!");
  edit->trigger();
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(!frame.host().find("frmeditdata"));
  QCOMPARE(db.count("tlogineditdata"), 0);
}

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
