#include "tests/support/formbench.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QApplication>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "toolkit/prompter.h"

FormBench::FormBench(QSize frameSize) {
  area_ = new QMdiArea(&window_);
  window_.setCentralWidget(area_);
  elsewhere_ = new QLineEdit;
  elsewhere_->setObjectName(QStringLiteral("elsewhere"));
  window_.addToolBar(QStringLiteral("bench"))->addWidget(elsewhere_);
  host_ = new FormHost(area_, db_.path());
  window_.resize(frameSize);
  window_.show();
  window_.activateWindow();
  if (!QTest::qWaitForWindowActive(&window_)) qWarning("bench window did not become active");
}

namespace {
// Answers every question of the forms closing at the end of a test, when the
// test's own prompter is gone: nothing may wait for a real user.
class TeardownPrompter : public Prompter {
 public:
  Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
  }
  QString input(const QString&, const QString&, Echo) override { return {}; }
};
}  // namespace

FormBench::~FormBench() {
  TeardownPrompter teardown;
  Prompter* replaced = installPrompter(&teardown);
  area_->closeAllSubWindows();
  installPrompter(replaced);
  delete host_;
  delete area_;  // forms that refused to close go with their area
}

QWidget* FormBench::show(const QString& formName) {
  QWidget* form = host_->show(formName);
  if (form && !QTest::qWaitForWindowExposed(form)) qWarning("form window was not exposed");
  return form;
}

QMdiSubWindow* FormBench::window(QWidget* form) {
  for (QWidget* w = form; w; w = w->parentWidget())
    if (auto* window = qobject_cast<QMdiSubWindow*>(w)) return window;
  return nullptr;
}

void FormBench::type(QWidget* box, const QString& text) {
  box->setFocus(Qt::TabFocusReason);
  typeKeys(box, text);
}

void FormBench::typeKeys(QWidget* box, const QString& text) {
  // One key event per character, as a keyboard or an input method sends it:
  // an emoji arrives whole, not as its two UTF-16 halves.
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const QString typed = text.mid(i, pair ? 2 : 1);
    if (pair) ++i;
    if (typed.front().unicode() > 0 && typed.front().unicode() < 0x80)
      QTest::keyClicks(box, typed);  // with its key code, as the form's key filters see a keyboard's keys
    else
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, typed, Qt::NoModifier);
  }
}

void FormBench::paste(QWidget* box, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  press(box, Qt::Key_V, Qt::ControlModifier);
}

void FormBench::clear(QWidget* box) {
  box->setFocus(Qt::TabFocusReason);
  QLineEdit* edit = qobject_cast<QLineEdit*>(box);
  if (auto* combo = qobject_cast<QComboBox*>(box)) edit = combo->lineEdit();
  const int length = edit ? int(edit->text().size()) : 0;
  if (edit) edit->end(false);
  for (int i = 0; i < length; ++i) QTest::keyClick(box, Qt::Key_Backspace);
}

void FormBench::leave(QWidget* box) { press(box, Qt::Key_Backtab, Qt::ShiftModifier); }

void FormBench::tab(QWidget* box) { press(box, Qt::Key_Tab, Qt::NoModifier); }

void FormBench::press(QWidget* box, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (!box->hasFocus()) box->setFocus(Qt::TabFocusReason);
  QTest::keyClick(box, key, modifiers);
  QWidget* form = window(box);
  if (!form || !form->isAncestorOf(QApplication::focusWidget())) qWarning("the focus left the form");
}

void FormBench::click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

void FormBench::clickDay(QCalendarWidget* calendar, QDate day) {
  calendar->setCurrentPage(day.year(), day.month());
  auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
  const QAbstractItemModel* model = view->model();
  const int firstDayColumn = model->columnCount() - 7;  // after the week numbers, if shown
  for (int cell = 0; cell < model->rowCount() * 7; ++cell) {
    const QModelIndex first = model->index(cell / 7, firstDayColumn + cell % 7);
    if (model->data(first).toString() != QLatin1String("1")) continue;  // the first "1" opens the page's month
    const int target = cell + day.day() - 1;
    const QModelIndex index = model->index(target / 7, firstDayColumn + target % 7);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return;
  }
  qWarning("no day cell found");
}

namespace {
QPoint itemCentre(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  if (found.isEmpty()) qWarning("no item %s", qPrintable(text));
  return found.isEmpty() ? QPoint() : list->visualItemRect(found.front()).center();
}
}  // namespace

void FormBench::clickItem(QListWidget* list, const QString& text) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre(list, text));
}

void FormBench::doubleClickItem(QListWidget* list, const QString& text) {
  const QPoint at = itemCentre(list, text);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // a double click begins with a click
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void FormBench::clickCell(QTableView* grid, int row, int column) {
  const QModelIndex cell = grid->model()->index(row, column);
  grid->scrollTo(cell);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
  QCOMPARE(grid->currentIndex(), cell);
}

void FormBench::typeIntoCell(QTableView* grid, int row, int column, const QString& text) {
  clickCell(grid, row, column);
  QTest::keyClick(grid, Qt::Key_F2);
  QPointer<QWidget> editor = QApplication::focusWidget();
  QVERIFY(editor && grid->isAncestorOf(editor));
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_Delete);
  typeKeys(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  QTRY_VERIFY(!editor || !editor->isVisible());  // the grid takes the text after the key
}

void FormBench::clickTab(QTabWidget* tabs, int index) {
  QTabBar* bar = tabs->tabBar();
  QVERIFY(bar->isVisible());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  QCOMPARE(tabs->currentIndex(), index);
}

void FormBench::clickCloseBox(QWidget* form) {
  // The window may still be growing to fit what SHOW revealed: the layout
  // request, then the fitting it schedules.
  for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
  QMdiSubWindow* subWindow = window(form);
  QStyleOptionTitleBar option;
  option.initFrom(subWindow);
  option.subControls = QStyle::SC_All;
  option.titleBarFlags = subWindow->windowFlags();
  option.titleBarState = int(subWindow->windowState());
  option.text = subWindow->windowTitle();
  const int height = subWindow->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, subWindow);
  option.rect = QRect(0, 0, subWindow->width(), height);
  const QRect closeBox =
      subWindow->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, subWindow);
  // The title bar acts on the part the pointer moved onto.
  const QPoint onCloseBox = closeBox.center();
  QMouseEvent move(QEvent::MouseMove, onCloseBox, subWindow->mapToGlobal(onCloseBox), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(subWindow, &move);
  QTest::mouseClick(subWindow, Qt::LeftButton, {}, onCloseBox);
}
