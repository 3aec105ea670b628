// Every registered form, as a clerk and a screen reader meet it: nothing
// squeezed below what it needs, at its opening size and after SHOW, in a
// roomy frame and a small one; every input named.
#include <QAbstractItemView>
#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "addressbook/addressbookforms.h"
#include "browse/browseforms.h"
#include "documents/documentforms.h"
#include "reports/reportforms.h"
#include "shell/shellforms.h"
#include "tests/support/formbench.h"
#include "tools/demodata.h"
#include "toolkit/prompter.h"

namespace {

// Answers whatever a form asks while it is walked.
class AnswerAll : public Prompter {
 public:
  AnswerAll() : replaced_(installPrompter(this)) {}
  ~AnswerAll() override { installPrompter(replaced_); }
  Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  QString input(const QString&, const QString&, Echo) override { return {}; }

 private:
  Prompter* replaced_;
};

// Parts of composite controls are sized by their control, not by a layout.
bool insideComposite(const QWidget* widget, const QWidget* form) {
  for (const QWidget* w = widget->parentWidget(); w && w != form; w = w->parentWidget())
    if (qobject_cast<const QCalendarWidget*>(w) || qobject_cast<const QComboBox*>(w) ||
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
    if (!isInput(w) || insideComposite(w, form)) continue;
    const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    const auto* combo = qobject_cast<const QComboBox*>(w);
    if (name.trimmed().isEmpty() || (combo && !combo->currentText().isEmpty() && name == combo->currentText()))
      found << w->objectName();
  }
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
  void everyBoxRefusesWhatCannotBeStored_data();
  void everyBoxRefusesWhatCannotBeStored();
};

void EveryFormTest::nothingIsSqueezedAndEveryInputIsNamed_data() {
  QTest::addColumn<QString>("form");
  QTest::addColumn<QSize>("frame");
  for (const QString& form : registeredForms())
    for (const QSize frame : {QSize(1400, 1000), QSize(800, 600)})
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

QTEST_MAIN(EveryFormTest)
#include "tst_everyform.moc"
