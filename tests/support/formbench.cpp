#include "tests/support/formbench.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QToolBar>

#include "toolkit/prompter.h"

FormBench::FormBench() {
  area_ = new QMdiArea(&window_);
  window_.setCentralWidget(area_);
  elsewhere_ = new QLineEdit;
  elsewhere_->setObjectName(QStringLiteral("elsewhere"));
  window_.addToolBar(QStringLiteral("bench"))->addWidget(elsewhere_);
  host_ = new FormHost(area_, db_.path());
  window_.resize(1200, 900);
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
  QString input(const QString&, const QString&) override { return {}; }
};
}  // namespace

FormBench::~FormBench() {
  TeardownPrompter teardown;
  installPrompter(&teardown);
  area_->closeAllSubWindows();
  installPrompter(nullptr);
  delete host_;
  delete area_;  // forms that refused to close go with their area
}

QWidget* FormBench::show(const QString& formName) {
  QWidget* form = host_->show(formName);
  if (form && !QTest::qWaitForWindowExposed(form)) qWarning("form window was not exposed");
  return form;
}

void FormBench::type(QWidget* box, const QString& text) {
  box->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(box, text);
}

void FormBench::clear(QWidget* box) {
  box->setFocus(Qt::TabFocusReason);
  QLineEdit* edit = qobject_cast<QLineEdit*>(box);
  if (auto* combo = qobject_cast<QComboBox*>(box)) edit = combo->lineEdit();
  const int length = edit ? int(edit->text().size()) : 0;
  if (edit) edit->end(false);
  for (int i = 0; i < length; ++i) QTest::keyClick(box, Qt::Key_Backspace);
}

void FormBench::leave(QWidget* box) {
  if (!box->hasFocus()) box->setFocus(Qt::TabFocusReason);
  elsewhere_->setFocus(Qt::TabFocusReason);
}

void FormBench::click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
