// Close rules, key filters and the error sink, on a bare form.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "store/dberror.h"
#include "tests/support/scriptedprompter.h"
#include "toolkit/errorsink.h"
#include "toolkit/formbase.h"
#include "toolkit/keyfilters.h"

namespace {

class EntryForm : public FormBase {
 public:
  EntryForm() : FormBase("frmentry") {
    setCloseRule(CloseRule::entryForm([this] { return shown; }));
  }
  void savePath() { closeByOwnPath(); }
  bool shown = false;
  int released = 0;

 protected:
  void releaseData() override { ++released; }
};

class BrowseForm : public FormBase {
 public:
  BrowseForm() : FormBase("frmbrowse") { setCloseRule(CloseRule::useCloseButton()); }
  void closeButton() { closeByOwnPath(); }
};

const QString kRefusal = "Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form";

}  // namespace

class FormRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void entryFormAsksBeforeShowAndRefusesAfter();
  void browseFormNeedsItsCloseButton();
  void digitWarningLetsTheKeyThrough();
  void upperCaseReplacesTypedLetters();
  void errorsBecomeMessagesAndLeaveTheBoxAlone();
};

void FormRulesTest::entryFormAsksBeforeShowAndRefusesAfter() {
  ScriptedPrompter prompts;
  EntryForm form;
  form.show();
  prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::No);
  QVERIFY(!form.close());
  QCOMPARE(form.released, 0);

  form.shown = true;  // as after a successful SHOW
  prompts.expect(kRefusal, "ALERT!", Prompter::Answer::Ok, Prompter::Icon::Warning);
  QVERIFY(!form.close());
  QVERIFY2(prompts.done(), prompts.report());

  form.savePath();
  QVERIFY(!form.isVisible());

  EntryForm another;
  another.show();
  prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::Yes);
  QVERIFY(another.close());
  QCOMPARE(another.released, 1);
  QVERIFY2(prompts.done(), prompts.report());
}

void FormRulesTest::browseFormNeedsItsCloseButton() {
  ScriptedPrompter prompts;
  BrowseForm form;
  form.show();
  prompts.expect("Please use CLOSE button at bottom to close this form..", "ALERT!");
  QVERIFY(!form.close());
  QVERIFY(!form.closingFlag());
  form.closeButton();
  QVERIFY(form.closingFlag());
  QVERIFY(!form.isVisible());
  QVERIFY2(prompts.done(), prompts.report());
}

void FormRulesTest::digitWarningLetsTheKeyThrough() {
  ScriptedPrompter prompts;
  QLineEdit box;
  warnOnNonDigitKeys(&box);
  QTest::keyClicks(&box, "12");
  QVERIFY2(prompts.done(), prompts.report());
  prompts.expect("Please use NUMBER(0 to 9) only...", "ALERT!").expect("Please use NUMBER(0 to 9) only...", "ALERT!");
  QTest::keyClick(&box, Qt::Key_A);
  QTest::keyClick(&box, Qt::Key_Backspace);
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(box.text(), QString("12"));  // "a" went in, Backspace took it out
  QTest::keyClick(&box, Qt::Key_Tab);   // moving on is no typing
  QVERIFY2(prompts.done(), prompts.report());
}

void FormRulesTest::upperCaseReplacesTypedLetters() {
  QLineEdit box;
  upperCaseTypedKeys(&box);
  QTest::keyClicks(&box, "inq/7b");
  QCOMPARE(box.text(), QString("INQ/7B"));
}

void FormRulesTest::errorsBecomeMessagesAndLeaveTheBoxAlone() {
  ScriptedPrompter prompts;
  QLineEdit box;
  box.setText("typed by the user");
  prompts.expect("The disk is full", "ALERT!!!", Prompter::Answer::Ok, Prompter::Icon::Error);
  runGuarded([&] {
    box.setText(box.text());
    throw DbError(DbErrorKind::DiskFull, "The disk is full");
  });
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(box.text(), QString("typed by the user"));
}

QTEST_MAIN(FormRulesTest)
#include "tst_formrules.moc"
