#include "toolkit/formbase.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QShortcut>

#include "toolkit/errorsink.h"

CloseRule CloseRule::none() { return {}; }

CloseRule CloseRule::refuse(const QString& text, const QString& title, Prompter::Icon icon) {
  CloseRule rule;
  rule.kind = Kind::Refuse;
  rule.text = text;
  rule.title = title;
  rule.icon = icon;
  return rule;
}

CloseRule CloseRule::useCloseButton() {
  return refuse(QStringLiteral("Please use CLOSE button at bottom to close this form.."), QStringLiteral("ALERT!"),
                Prompter::Icon::None);
}

CloseRule CloseRule::entryForm(std::function<bool()> shown) {
  CloseRule rule = refuse(
      QStringLiteral("Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form"),
      QStringLiteral("ALERT!"), Prompter::Icon::Warning);
  rule.kind = Kind::EntryForm;
  rule.shown = std::move(shown);
  return rule;
}

FormBase::FormBase(const QString& formName, QWidget* parent) : QWidget(parent) {
  setObjectName(formName);
  // A cell's editor or an open list takes Escape first, to cancel itself.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] { runGuarded([this] { escapePressed(); }); });
}

void FormBase::escapePressed() {
  if (closeButton_ && closeButton_->isEnabled())
    closeButton_->click();
  else if (!closeButton_)
    closeWindow();
}

void FormBase::closeWindow() {
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* window = qobject_cast<QMdiSubWindow*>(w)) {
      window->close();
      return;
    }
  close();
}

void FormBase::closeByOwnPath() {
  closingFlag_ = true;
  closeWindow();
}

bool FormBase::agreesToExit() {
  bool agreed = false;
  runGuarded([&] { agreed = allowsClose(true); });
  return agreed;
}

void FormBase::closeForExit() {
  exitAgreed_ = true;
  closeWindow();
}

bool FormBase::allowsClose(bool forExit) {
  if (closingFlag_ || rule_.kind == CloseRule::Kind::None || (forExit && rule_.yieldsToExit)) return true;
  if (rule_.kind == CloseRule::Kind::EntryForm && !(rule_.shown && rule_.shown()))
    return askYesNo(QStringLiteral("Want to Close Form??"), QStringLiteral("ALERT!"));
  tell(rule_.text, rule_.title, rule_.icon);
  return false;
}

void FormBase::closeEvent(QCloseEvent* event) {
  bool allowed = closingFlag_ || exitAgreed_;
  if (!allowed) runGuarded([&] { allowed = allowsClose(false); });
  if (!allowed) {
    event->ignore();
    return;
  }
  if (!closingFlag_) runGuarded([&] { releaseData(); });
  event->accept();
}
