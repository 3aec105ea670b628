#include "toolkit/keyfilters.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include "toolkit/errorsink.h"
#include "toolkit/prompter.h"

namespace {

// Keys that type a character; Tab and Backtab move the focus instead.
bool typesCharacter(const QKeyEvent* key) {
  return !key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
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
    // A box hidden with its closing form is not being left by the user.
    if (event->type() != QEvent::FocusOut || !static_cast<QWidget*>(parent())->isVisible()) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) runGuarded(handler_);
    return false;
  }

 private:
  std::function<void()> handler_;
};

}  // namespace

// An editable combo keeps the focus itself and hands keys to its line edit,
// so filters sit on the box the user types into, combo or not.
void warnOnNonDigitKeys(QWidget* box) { box->installEventFilter(new DigitWarning(box)); }

void upperCaseTypedKeys(QWidget* box) { box->installEventFilter(new UpperCase(box)); }

void onFocusLeave(QWidget* box, std::function<void()> handler) {
  box->installEventFilter(new FocusLeave(box, std::move(handler)));
}
