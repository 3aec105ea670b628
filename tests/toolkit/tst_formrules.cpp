// Close rules, key filters and the error sink, on a bare form.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "store/basics/dberror.h"
#include "tests/support/scriptedprompter.h"
#include "toolkit/errorsink.h"
#include "toolkit/formbase.h"
#include "toolkit/keyfilters.h"
#include "toolkit/titlewidth.h"

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
  BrowseForm() : FormBase("frmbrowse") {
    setCloseRule(CloseRule::useCloseButton());
    auto* layout = new QVBoxLayout(this);
    grid = new QTableView(this);
    cells.appendRow(new QStandardItem("typed"));
    grid->setModel(&cells);
    layout->addWidget(grid);
    auto* close = new QPushButton("CLOSE", this);
    layout->addWidget(close);
    setCloseButton(close);
    connect(close, &QPushButton::clicked, this, [this] { closeButton(); });
  }
  void closeButton() { closeByOwnPath(); }
  QStandardItemModel cells;
  QTableView* grid;
};

// Whatever dialog opens next: `look` sees it, then Escape is pressed in it.
void escapeFromNextDialog(std::function<void(QWidget*)> look) {
  QTimer::singleShot(0, [look] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return escapeFromNextDialog(look);
    look(dialog);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Escape);
  });
}

const QString kRefusal = "Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form";

}  // namespace

class FormRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void entryFormAsksBeforeShowAndRefusesAfter();
  void browseFormNeedsItsCloseButton();
  void escapeClosesAsTheFormsOwnWayWould();
  void dialogsAnswerEscapeAndShowTheirWholeTitle();
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

void FormRulesTest::escapeClosesAsTheFormsOwnWayWould() {
  ScriptedPrompter prompts;
  EntryForm entry;  // no CLOSE button: Escape asks what its close box asks
  auto* box = new QLineEdit(&entry);
  entry.show();
  QVERIFY(QTest::qWaitForWindowActive(&entry));
  box->setFocus();
  prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::No);
  QTest::keyClick(box, Qt::Key_Escape);
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(entry.isVisible());
  entry.shown = true;
  prompts.expect(kRefusal, "ALERT!", Prompter::Answer::Ok, Prompter::Icon::Warning);
  QTest::keyClick(box, Qt::Key_Escape);
  QVERIFY2(prompts.done(), prompts.report());
  QVERIFY(entry.isVisible());

  BrowseForm browse;  // Escape is its CLOSE button, once a cell's typing is cancelled
  browse.show();
  QVERIFY(QTest::qWaitForWindowActive(&browse));
  browse.grid->setFocus();
  browse.grid->setCurrentIndex(browse.cells.index(0, 0));
  QTest::keyClick(browse.grid, Qt::Key_F2);
  QTest::keyClicks(QApplication::focusWidget(), "changed");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(browse.isVisible());
  QCOMPARE(browse.cells.item(0)->text(), QString("typed"));
  QTest::keyClick(browse.grid, Qt::Key_Escape);
  QVERIFY(browse.closingFlag());
  QVERIFY(!browse.isVisible());
  QVERIFY2(prompts.done(), prompts.report());
}

void FormRulesTest::dialogsAnswerEscapeAndShowTheirWholeTitle() {
  Prompter* scripted = installPrompter(nullptr);  // the boxes a clerk sees
  QStringList narrow;
  const auto wideEnough = [&narrow](QWidget* dialog) {
    if (dialog->width() < widthShowingTitle(dialog) || dialog->windowTitle().isEmpty()) narrow << dialog->windowTitle();
  };
  escapeFromNextDialog(wideEnough);
  QCOMPARE(prompter().message("Want to Close Form??", "ALERT!", Prompter::Buttons::YesNo, Prompter::Icon::None),
           Prompter::Answer::No);
  escapeFromNextDialog(wideEnough);
  QCOMPARE(prompter().message("Saved.", {}, Prompter::Buttons::Ok, Prompter::Icon::Information), Prompter::Answer::Ok);
  escapeFromNextDialog(wideEnough);
  QCOMPARE(prompter().input("WRITE  PASSWORD", "PASSWORD", Prompter::Echo::Masked), QString());
  installPrompter(scripted);
  QVERIFY2(narrow.isEmpty(), qPrintable("titles cut: " + narrow.join(", ")));
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
