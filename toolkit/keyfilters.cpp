#include "toolkit/keyfilters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "toolkit/errorsink.h"
#include "toolkit/formbase.h"
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

// The form a box belongs to: leaving the box means moving to another control
// of that form, not to another form, window, menu or message.
QWidget* formOf(QWidget* box) {
  for (QWidget* w = box->parentWidget(); w; w = w->parentWidget())
    if (qobject_cast<FormBase*>(w)) return w;
  return box->window();
}

bool within(const QWidget* outer, const QWidget* widget) {
  return widget && (widget == outer || outer->isAncestorOf(widget));
}

class FocusLeave : public QObject {
 public:
  FocusLeave(QWidget* box, std::function<void()> handler) : QObject(box), box_(box), handler_(std::move(handler)) {
    connect(qApp, &QApplication::focusChanged, this, &FocusLeave::focusMoved);
  }

 private:
  void focusMoved(QWidget* from, QWidget* to) {
    if (within(box_, to)) {
      awayFromForm_ = false;  // back in the box: it was not left
      return;
    }
    if (!within(box_, from) && !awayFromForm_) return;
    // A box hidden with its closing form is not being left by the user.
    if (!box_->isVisible()) {
      awayFromForm_ = false;
      return;
    }
    if (to && within(formOf(box_), to)) {
      awayFromForm_ = false;
      runGuarded(handler_);
    } else {
      // The close box, another form, a menu or a message took the focus; the
      // box counts as left only if the focus next lands elsewhere in its form.
      awayFromForm_ = true;
    }
  }

  QWidget* box_;
  std::function<void()> handler_;
  bool awayFromForm_ = false;
};

}  // namespace

// An editable combo keeps the focus itself and hands keys to its line edit,
// so filters sit on the box the user types into, combo or not.
void warnOnNonDigitKeys(QWidget* box) { box->installEventFilter(new DigitWarning(box)); }

void upperCaseTypedKeys(QWidget* box) { box->installEventFilter(new UpperCase(box)); }

void onFocusLeave(QWidget* box, std::function<void()> handler) { new FocusLeave(box, std::move(handler)); }
