#pragma once

#include <QWidget>
#include <functional>

#include "toolkit/prompter.h"

// What a form answers to a close request that does not come from its own
// close path.
struct CloseRule {
  enum class Kind { None, Refuse, EntryForm };
  Kind kind = Kind::None;
  QString text;
  QString title;
  Prompter::Icon icon = Prompter::Icon::None;
  std::function<bool()> shown;  // entry forms: has SHOW accepted a document?
  bool yieldsToExit = false;    // the program's EXIT closes it whatever the rule says

  static CloseRule none();
  static CloseRule refuse(const QString& text, const QString& title, Prompter::Icon icon);
  // The browse, report and help forms.
  static CloseRule useCloseButton();
  // The entry forms: before SHOW they ask "Want to Close Form??"; afterwards
  // they refuse until a save path ran.
  static CloseRule entryForm(std::function<bool()> shown);
};

class QAbstractButton;

// Escape acts as the form's CLOSE button, or, on a form without one, as a
// close request, which its close rule answers.
class FormBase : public QWidget {
  Q_OBJECT

 public:
  explicit FormBase(const QString& formName, QWidget* parent = nullptr);

  bool closingFlag() const { return closingFlag_; }

  // Where the frame puts the form's window when it opens. Filling: the
  // frame's whole room, for forms whose lists grow into it.
  enum class Placement { Free, Centred, Filling };
  Placement placement() const { return placement_; }

  // The program's EXIT asks every form first and closes none unless all agree.
  bool agreesToExit();
  void closeForExit();  // after agreesToExit() said yes

 protected:
  void setCloseRule(const CloseRule& rule) { rule_ = rule; }
  void setPlacement(Placement placement) { placement_ = placement; }
  void setCloseButton(QAbstractButton* button) { closeButton_ = button; }
  virtual void escapePressed();
  // The form's own close path: sets the closing flag and closes the window.
  void closeByOwnPath();
  // Called when a close request is granted without a save: drop open rows.
  virtual void releaseData() {}
  bool closingForExit() const { return exitAgreed_; }

  void closeEvent(QCloseEvent* event) override;

 private:
  bool allowsClose(bool forExit);
  void closeWindow();

  bool closingFlag_ = false;
  bool exitAgreed_ = false;
  CloseRule rule_;
  Placement placement_ = Placement::Free;
  QAbstractButton* closeButton_ = nullptr;
};
