#include "toolkit/formbase.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMdiSubWindow>

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

CloseRule CloseRule::entryForm(QAbstractButton* saveButton) {
  CloseRule rule = refuse(
      QStringLiteral("Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form"),
      QStringLiteral("ALERT!"), Prompter::Icon::Warning);
  rule.kind = Kind::EntryForm;
  rule.saveButton = saveButton;
  return rule;
}

FormBase::FormBase(const QString& formName, QWidget* parent) : QWidget(parent) { setObjectName(formName); }

void FormBase::closeByOwnPath() {
  closingFlag_ = true;
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
    frame->close();
  else
    close();
}

bool FormBase::allowsClose() {
  switch (rule_.kind) {
    case CloseRule::Kind::None:
      return true;
    case CloseRule::Kind::EntryForm:
      if (rule_.saveButton && !rule_.saveButton->isEnabled()) {
        if (!askYesNo(QStringLiteral("Want to Close Form??"), QStringLiteral("ALERT!"))) return false;
        releaseData();
        return true;
      }
      [[fallthrough]];
    case CloseRule::Kind::Refuse:
      if (closingFlag_) return true;
      tell(rule_.text, rule_.title, rule_.icon);
      return false;
  }
  return true;
}

void FormBase::closeEvent(QCloseEvent* event) {
  bool allowed = false;
  runGuarded([&] { allowed = allowsClose(); });
  if (allowed)
    event->accept();
  else
    event->ignore();
}
