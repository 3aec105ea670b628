#pragma once

#include <QDate>
#include <QMainWindow>
#include <QString>

#include "tests/support/testdatabase.h"
#include "toolkit/formhost.h"

class QCalendarWidget;
class QLineEdit;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QTabWidget;
class QTableView;

// A window with an MDI area and a form host on a fresh database, and the
// user's hands: type into a box, leave it, click a button, a calendar day or
// the close box, all by name.
class FormBench {
 public:
  explicit FormBench(QSize frameSize = {1400, 1000});
  ~FormBench();

  TestDatabase& db() { return db_; }
  FormHost& host() { return *host_; }
  QMdiArea* area() { return area_; }
  QLineEdit* elsewhere() { return elsewhere_; }  // a box outside every form
  QMainWindow& frame() { return window_; }

  QWidget* show(const QString& formName);  // waits until the window is active
  static QMdiSubWindow* window(QWidget* form);

  template <typename T = QWidget>
  T* control(QWidget* form, const QString& name) {
    return form->findChild<T*>(name);
  }

  // Focus into the box, type the text key by key.
  void type(QWidget* box, const QString& text);
  // The text put on the clipboard and pasted into the box with Ctrl+V.
  void paste(QWidget* box, const QString& text);
  // Focus into the box and delete what it holds key by key.
  void clear(QWidget* box);
  // Shift+Tab back to the previous control of the form: the box is left, and
  // the control reached (never a make box) raises no check of its own later.
  void leave(QWidget* box);
  // Tab on to the next control.
  void tab(QWidget* box);
  void click(QWidget* button);
  // A click on the day's cell of the calendar, turning to its month first.
  void clickDay(QCalendarWidget* calendar, QDate day);
  // A click, or a double click, on the list's item showing this text.
  void clickItem(QListWidget* list, const QString& text);
  void doubleClickItem(QListWidget* list, const QString& text);
  // A click on the grid's cell.
  void clickCell(QTableView* grid, int row, int column);
  // The cell clicked and opened with F2; what it holds replaced by the text
  // typed key by key; Enter.
  void typeIntoCell(QTableView* grid, int row, int column, const QString& text);
  // A click on the tab's caption.
  void clickTab(QTabWidget* tabs, int index);
  // A click on the close button of the form's title bar.
  void clickCloseBox(QWidget* form);

 private:
  void press(QWidget* box, Qt::Key key, Qt::KeyboardModifiers modifiers);
  static void typeKeys(QWidget* box, const QString& text);

  TestDatabase db_;
  QMainWindow window_;
  QMdiArea* area_;
  FormHost* host_;
  QLineEdit* elsewhere_;
};
