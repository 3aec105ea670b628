// Every registered form, as a clerk and a screen reader meet it: nothing
// squeezed below what it needs, at its opening size and after SHOW, in a
// roomy frame, a laptop's and a small one; on the laptop, nothing out of
// sight; every input named, the typing boxes and lists of combos too; no
// password anywhere in the accessibility tree; Escape as their CLOSE.
#include <QAbstractItemView>
#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "addressbook/addressbookforms.h"
#include "browse/browseforms.h"
#include "documents/documentforms.h"
#include "reports/reportforms.h"
#include "shell/shellforms.h"
#include "tests/support/formbench.h"
#include "tests/support/readers.h"
#include "tools/demodata.h"
#include "toolkit/prompter.h"

namespace {

// The frame maximised on a 1366 x 768 screen, below the desktop's panel.
const QSize kLaptop(1366, 728);

// Answers whatever a form asks while it is walked, and keeps what it asked.
class AnswerAll : public Prompter {
 public:
  AnswerAll() : replaced_(installPrompter(this)) {}
  ~AnswerAll() override { installPrompter(replaced_); }
  Answer message(const QString& text, const QString& title, Buttons buttons, Icon) override {
    asked << title + ": " + text;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  QStringList asked;
  QString input(const QString&, const QString&, Echo) override { return {}; }

 private:
  Prompter* replaced_;
};

// Parts of composite controls are sized by their control, not by a layout.
bool insideComposite(const QWidget* widget, const QWidget* form, bool countingCombos = true) {
  for (const QWidget* w = widget->parentWidget(); w && w != form; w = w->parentWidget())
    if (qobject_cast<const QCalendarWidget*>(w) || (countingCombos && qobject_cast<const QComboBox*>(w)) ||
        qobject_cast<const QAbstractScrollArea*>(w))
      return true;
  return false;
}

QStringList squeezed(QWidget* form) {
  QStringList found;
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!w->isVisible() || insideComposite(w, form)) continue;
    const QSize needed = w->minimumSizeHint();
    if (needed.isValid() && (w->width() < needed.width() || w->height() < needed.height()))
      found << QStringLiteral("%1 %2 is %3x%4, needs %5x%6")
                   .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName())
                   .arg(w->width())
                   .arg(w->height())
                   .arg(needed.width())
                   .arg(needed.height());
  }
  return found;
}

bool isInput(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
         qobject_cast<const QCalendarWidget*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

QStringList unnamedInputs(QWidget* form) {
  QStringList found;
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!isInput(w) || insideComposite(w, form, false)) continue;  // a combo's typing box and list are met too
    const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    const auto* combo = qobject_cast<const QComboBox*>(w);
    if (name.trimmed().isEmpty() || (combo && !combo->currentText().isEmpty() && name == combo->currentText()))
      found << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) + " in " +
                                                w->parentWidget()->objectName()
                                          : w->objectName());
  }
  return found;
}

// What of the form lies outside its window, so that the window must scroll to show it.
QString outOfSight(QWidget* form) {
  for (QWidget* w = form->parentWidget(); w; w = w->parentWidget())
    if (auto* frame = qobject_cast<QAbstractScrollArea*>(w)) {
      const int below = frame->verticalScrollBar()->maximum(), beside = frame->horizontalScrollBar()->maximum();
      return below || beside ? QStringLiteral("%1 px below the fold, %2 px beside it").arg(below).arg(beside) : QString();
    }
  return {};
}

// Accessible texts that hold a stored password.
QStringList passwordsTold(QWidget* form, TestDatabase& db) {
  QStringList found;
  const QStringList passwords = db.joined("SELECT adminpassword FROM tloginpassword UNION SELECT user1password FROM "
                                          "tloginpassword UNION SELECT user2password FROM tloginpassword", "\n")
                                    .split('\n', Qt::SkipEmptyParts);
  for (const QString& text : accessibleTexts(form))
    for (const QString& password : passwords)
      if (text.contains(password)) found << text;
  return found;
}

QPushButton* buttonNamed(QWidget* form, const QStringList& names) {
  for (const QString& name : names)
    if (auto* button = form->findChild<QPushButton*>(name)) return button;
  return nullptr;
}

// SHOW as a clerk presses it: a fresh number where the form wants a new one,
// else the first entry each empty list offers; then EDIT?? where there is one.
bool pressShow(FormBench& bench, QWidget* form) {
  QPushButton* show = buttonNamed(form, {QStringLiteral("cmdshow"), QStringLiteral("cmdshowedit")});
  if (!show) return false;
  if (form->objectName() == QLatin1String("frminquiry"))
    bench.type(form->findChild<QComboBox*>(QStringLiteral("datacominqno")), QStringLiteral("LEGIBLE-1"));
  else
    for (QComboBox* list : form->findChildren<QComboBox*>())
      if (list->isEnabled() && list->currentText().isEmpty() && list->count() > 0) list->setCurrentIndex(0);
  bench.click(show);
  QPushButton* edit = buttonNamed(form, {QStringLiteral("cmditemedit"), QStringLiteral("cmdedit")});
  if (edit && edit->isEnabled()) bench.click(edit);
  for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();  // the window grows to fit
  return true;
}

}  // namespace

class EveryFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    registerShellForms();
    registerDocumentForms();
    registerAddressBookForms();
    registerReportForms();
    registerBrowseForms();
  }
  void nothingIsSqueezedAndEveryInputIsNamed_data();
  void nothingIsSqueezedAndEveryInputIsNamed();
  void escapeDoesWhatCloseDoes_data() { everyBoxRefusesWhatCannotBeStored_data(); }
  void escapeDoesWhatCloseDoes();
  void everyBoxRefusesWhatCannotBeStored_data();
  void everyBoxRefusesWhatCannotBeStored();
};

void EveryFormTest::nothingIsSqueezedAndEveryInputIsNamed_data() {
  QTest::addColumn<QString>("form");
  QTest::addColumn<QSize>("frame");
  for (const QString& form : registeredForms())
    for (const QSize frame : {QSize(1400, 1000), kLaptop, QSize(800, 600)})
      QTest::newRow(qPrintable(QStringLiteral("%1 %2x%3").arg(form).arg(frame.width()).arg(frame.height()))) << form << frame;
}

void EveryFormTest::nothingIsSqueezedAndEveryInputIsNamed() {
  QFETCH(QString, form);
  QFETCH(QSize, frame);
  FormBench bench(frame);
  fillDemoData(bench.db().connection(), 20);
  AnswerAll answers;
  QWidget* shown = bench.show(form);
  QVERIFY(shown);
  for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();

  const QString grabs = qEnvironmentVariable("VANTORA_GRAB_FORMS");  // a folder: pictures to look at
  const auto look = [&](const QString& when) {
    if (!grabs.isEmpty())
      bench.frame().grab().save(QStringLiteral("%1/%2-%3x%4-%5.png").arg(grabs, form).arg(frame.width()).arg(frame.height()).arg(when));
    const QStringList tight = squeezed(shown);
    QVERIFY2(tight.isEmpty(), qPrintable(when + ": " + tight.join("; ")));
    const QStringList unnamed = unnamedInputs(shown);
    QVERIFY2(unnamed.isEmpty(), qPrintable(when + ", no name for readers: " + unnamed.join(", ")));
    if (frame == kLaptop) {
      const QString hidden = outOfSight(shown);
      QVERIFY2(hidden.isEmpty(), qPrintable(when + ": " + hidden));
    }
    const QStringList told = passwordsTold(shown, bench.db());
    QVERIFY2(told.isEmpty(), qPrintable(when + ", a password told to readers: " + told.join(", ")));
  };
  look(QStringLiteral("opening"));
  if (pressShow(bench, shown)) look(QStringLiteral("after-show"));
}

void EveryFormTest::everyBoxRefusesWhatCannotBeStored_data() {
  QTest::addColumn<QString>("form");
  for (const QString& form : registeredForms()) QTest::newRow(qPrintable(form)) << form;
}

// A tab pasted into any box a clerk can type into, after SHOW, leaves it as it was.
void EveryFormTest::everyBoxRefusesWhatCannotBeStored() {
  QFETCH(QString, form);
  FormBench bench;
  fillDemoData(bench.db().connection(), 20);
  AnswerAll answers;
  QWidget* shown = bench.show(form);
  pressShow(bench, shown);
  QStringList tookIt;
  for (QLineEdit* box : shown->findChildren<QLineEdit*>()) {
    if (!box->isVisible() || !box->isEnabled() || box->isReadOnly()) continue;
    if (insideComposite(box, shown) && !qobject_cast<QComboBox*>(box->parentWidget())) continue;
    const QString before = box->text();
    bench.paste(box, QStringLiteral("A\tB"));
    QCoreApplication::processEvents();
    if (box->text() != before) tookIt << box->objectName() + "/" + box->parentWidget()->objectName();
  }
  QVERIFY2(tookIt.isEmpty(), qPrintable("took a tab: " + tookIt.join(", ")));
}

// Escape, after SHOW and wherever the focus is, does what the form's CLOSE
// button does, or its close box where it has none: the same questions, the
// same form left open or closed.
void EveryFormTest::escapeDoesWhatCloseDoes() {
  QFETCH(QString, form);
  if (form == QLatin1String("frmSplash")) QSKIP("on the splash sheet Escape is a key like any other");
  const auto outcome = [&form](bool escape) {
    FormBench bench;
    fillDemoData(bench.db().connection(), 20);
    AnswerAll answers;
    QWidget* shown = bench.show(form);
    pressShow(bench, shown);
    answers.asked.clear();
    QPushButton* close = nullptr;
    for (QPushButton* button : shown->findChildren<QPushButton*>())
      if (button->text().trimmed() == QLatin1String("CLOSE") || button->objectName() == QLatin1String("cmdback"))
        close = button;
    if (escape)
      QTest::keyClick(shown->isAncestorOf(QApplication::focusWidget()) ? QApplication::focusWidget() : shown,
                      Qt::Key_Escape);
    else if (close)
      bench.click(close);
    else
      bench.clickCloseBox(shown);
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    return answers.asked.join(QStringLiteral(" | ")) + (bench.host().find(form) ? " / open" : " / closed");
  };
  QCOMPARE(outcome(true), outcome(false));
}

QTEST_MAIN(EveryFormTest)
#include "tst_everyform.moc"
