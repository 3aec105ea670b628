#pragma once

#include <QMainWindow>
#include <QString>

#include "tests/support/testdatabase.h"
#include "toolkit/formhost.h"

class QLineEdit;
class QMdiArea;

// A window with an MDI area and a form host on a fresh database, and the
// user's hands: type into a box, leave it, click a button, all by name.
class FormBench {
 public:
  FormBench();
  ~FormBench();

  TestDatabase& db() { return db_; }
  FormHost& host() { return *host_; }
  QMdiArea* area() { return area_; }

  QWidget* show(const QString& formName);  // waits until the window is active

  template <typename T = QWidget>
  T* control(QWidget* form, const QString& name) {
    return form->findChild<T*>(name);
  }

  // Focus into the box, type the text key by key.
  void type(QWidget* box, const QString& text);
  // Focus into the box, select all it holds and delete it key by key.
  void clear(QWidget* box);
  // Move the focus on, as Tab or a click elsewhere does.
  void leave(QWidget* box);
  void click(QWidget* button);

 private:
  TestDatabase db_;
  QMainWindow window_;
  QMdiArea* area_;
  FormHost* host_;
  QLineEdit* elsewhere_;
};
