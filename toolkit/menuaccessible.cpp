#include "toolkit/menuaccessible.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// The menu bar or menu showing the action.
QWidget* menuShowing(QAction* action) {
  for (QObject* shown : action->associatedObjects())
    if (qobject_cast<QMenuBar*>(shown) || qobject_cast<QMenu*>(shown)) return static_cast<QWidget*>(shown);
  return nullptr;
}

// One item of a menu bar or menu: what Qt's own item offers, named by its
// trimmed caption.
class TrimmedMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TrimmedMenuItem(QWidget* owner, QAction* action) : owner_(owner), action_(action) {}

  bool isValid() const override { return owner_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_.data()); }
  int childCount() const override { return action_ && action_->menu() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && childCount() == 1 ? QAccessible::queryAccessibleInterface(action_->menu()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && childCount() == 1 && child->object() == action_->menu() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!action_) return {};
    if (t == QAccessible::Name) return QString(action_->text()).remove(QLatin1Char('&')).trimmed();
    if (t == QAccessible::Accelerator) return action_->shortcut().toString(QKeySequence::NativeText);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    QRect place;
    if (auto* bar = qobject_cast<QMenuBar*>(owner_.data()))
      place = bar->actionGeometry(action_);
    else if (auto* menu = qobject_cast<QMenu*>(owner_.data()))
      place = menu->actionGeometry(action_);
    return place.isValid() ? QRect(owner_->mapToGlobal(place.topLeft()), place.size()) : QRect();
  }
  QAccessible::Role role() const override {
    return action_ && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.disabled = !action_->isEnabled();
    s.invisible = !action_->isVisible() || !owner_->isVisible();
    s.focusable = true;
    s.hasPopup = action_->menu() != nullptr;
    const QAction* active = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(owner_.data())) active = bar->activeAction();
    if (auto* menu = qobject_cast<QMenu*>(owner_.data())) active = menu->activeAction();
    s.focused = s.hotTracked = active == action_;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override {
    if (!action_ || !action_->isEnabled()) return {};
    return {action_->menu() ? showMenuAction() : pressAction()};
  }
  void doAction(const QString& name) override {
    if (!action_ || !action_->isEnabled()) return;
    if (name == pressAction() && !action_->menu()) {
      action_->trigger();
    } else if (name == showMenuAction() && action_->menu()) {
      if (auto* bar = qobject_cast<QMenuBar*>(owner_.data())) bar->setActiveAction(action_);
      if (auto* menu = qobject_cast<QMenu*>(owner_.data())) menu->setActiveAction(action_);
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QWidget> owner_;
  QPointer<QAction> action_;
};

QAccessibleInterface* trimmedMenuItems(const QString& className, QObject* object) {
  auto* action = qobject_cast<QAction*>(object);
  if (className != QLatin1String("QAction") || !action) return nullptr;
  QWidget* owner = menuShowing(action);
  return owner ? new TrimmedMenuItem(owner, action) : nullptr;
}

}  // namespace

void nameMenuItemsByTrimmedCaptions() {
  static const bool installed = (QAccessible::installFactory(trimmedMenuItems), true);
  Q_UNUSED(installed);
}
