#include "toolkit/keyfilters.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "toolkit/errorsink.h"
#include "toolkit/prompter.h"

namespace {

// Keys that type a character; Tab and Backtab move the focus instead.
bool typesCharacter(const QKeyEvent* key) {
  return !key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
}

// An editable combo passes its keys to its line edit; filter where they land.
QWidget* typingTarget(QWidget* box) {
  if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) return combo->lineEdit();
  return box;
}

class DigitWarning : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!typesCharacter(key)) return false;
    const QChar c = key->text().front();
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
      tell(QStringLiteral("Please use NUMBER(0 to 9) only..."), QStringLiteral("ALERT!"));
    return false;
  }
};

class UpperCase : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString upper = key->text().toUpper();
    if (!typesCharacter(key) || upper == key->text()) return false;
    QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), upper, key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(watched, &replaced);
    return true;
  }
};

class FocusLeave : public QObject {
 public:
  FocusLeave(QObject* parent, std::function<void()> handler) : QObject(parent), handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) runGuarded(handler_);
    return false;
  }

 private:
  std::function<void()> handler_;
};

}  // namespace

void warnOnNonDigitKeys(QWidget* box) {
  QWidget* target = typingTarget(box);
  target->installEventFilter(new DigitWarning(target));
}

void upperCaseTypedKeys(QWidget* box) {
  QWidget* target = typingTarget(box);
  target->installEventFilter(new UpperCase(target));
}

void onFocusLeave(QWidget* box, std::function<void()> handler) {
  box->installEventFilter(new FocusLeave(box, std::move(handler)));
}
