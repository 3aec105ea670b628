#pragma once

#include <QPointer>
#include <QWidget>

#include "toolkit/prompter.h"

class QAbstractButton;

// What a form answers to a close request that does not come from its own
// close path.
struct CloseRule {
  enum class Kind { None, Refuse, EntryForm };
  Kind kind = Kind::None;
  QString text;
  QString title;
  Prompter::Icon icon = Prompter::Icon::None;
  QPointer<QAbstractButton> saveButton;

  static CloseRule none();
  static CloseRule refuse(const QString& text, const QString& title, Prompter::Icon icon);
  // The browse, report and help forms.
  static CloseRule useCloseButton();
  // The entry forms: before their save button is enabled they ask
  // "Want to Close Form??"; afterwards they refuse until a save path ran.
  static CloseRule entryForm(QAbstractButton* saveButton);
};

class FormBase : public QWidget {
  Q_OBJECT

 public:
  explicit FormBase(const QString& formName, QWidget* parent = nullptr);

  bool closingFlag() const { return closingFlag_; }

 protected:
  void setCloseRule(const CloseRule& rule) { rule_ = rule; }
  // The form's own close path: sets the closing flag and closes the window.
  void closeByOwnPath();
  // Called when a close request is granted without a save: drop open rows.
  virtual void releaseData() {}

  void closeEvent(QCloseEvent* event) override;

 private:
  bool allowsClose();

  bool closingFlag_ = false;
  CloseRule rule_;
};
