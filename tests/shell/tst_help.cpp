// The help form: its tabs, where it opens, and its ABOUT tab's buttons.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "shell/shellforms.h"
#include "store/databaselocation.h"
#include "tests/support/formbench.h"
#include "tests/support/scriptedprompter.h"

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerShellForms(); }
  void opensOnAboutAndKeepsTheChosenTabWhileOpen();
  void aboutButtonsAndTheBackUpPage();
};

void HelpTest::opensOnAboutAndKeepsTheChosenTabWhileOpen() {
  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* help = bench.show("frmhelp");
  auto* tabs = bench.control<QTabWidget>(help, "sstabhelp");
  QStringList captions;
  for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
  QCOMPARE(captions, QStringList({"START", "LOGIN", "INPUT  DATA", "VIEW DATA", "EDIT DATA", "QUERY", "REPORT", "GENERAL",
                                  "BACK UP", "ABOUT...."}));
  QCOMPARE(tabs->currentIndex(), 9);

  bench.clickTab(tabs, 4);
  QCOMPARE(bench.show("frmhelp"), help);  // opened again: the same form, on the chosen tab
  QCOMPARE(tabs->currentIndex(), 4);

  prompts.expect("Please use CLOSE button at bottom to close this form..", "ALERT!");
  bench.clickCloseBox(help);
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(bench.host().find("frmhelp"));
  bench.click(bench.control<QPushButton>(help, "cmdclose"));
  QTRY_VERIFY(!bench.host().find("frmhelp"));
  QCOMPARE(bench.control<QTabWidget>(bench.show("frmhelp"), "sstabhelp")->currentIndex(), 9);
}

void HelpTest::aboutButtonsAndTheBackUpPage() {
  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* help = bench.show("frmhelp");
  auto* info = bench.control<QPlainTextEdit>(help, "txtinfo");
  QVERIFY(!info->isVisible() && !info->isEnabled());
  QVERIFY(bench.control<QPushButton>(help, "Command4")->text().endsWith("MORE.."));
  bench.click(bench.control<QPushButton>(help, "Command4"));
  QVERIFY(info->isVisible() && info->isEnabled());

  prompts.expectContaining("administrator");
  bench.click(bench.control<QPushButton>(help, "Command3"));
  QVERIFY2(prompts.done(), prompts.report());

  // BACK UP names this database's backup folder and how to restore a copy.
  const QString backUp = bench.control<QLabel>(help, "Label9")->text();
  QVERIFY2(backUp.contains(backupFolderFor(bench.db().path())) && backUp.contains("vantora-db restore") &&
               backUp.contains("databasebackup inside the database's own folder"),
           qPrintable(backUp));
}

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
