#include "toolkit/comboaccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

// A combo named by its label. Its children are its drop-down list first, as
// Qt's own combos have it (the list lives in a popup window, which a plain
// widget interface leaves out), then its typing box.
class LabelledCombo : public QAccessibleWidget {
 public:
  explicit LabelledCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && !widget()->accessibleName().isEmpty()) return widget()->accessibleName();
    if (t == QAccessible::Value || t == QAccessible::Name) return combo()->currentText();
    return QAccessibleWidget::text(t);
  }

  int childCount() const override { return 1 + QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(combo()->view());
    return QAccessibleWidget::child(index - 1);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    if (child->object() == combo()->view()) return 0;
    const int other = QAccessibleWidget::indexOfChild(child);
    return other < 0 ? -1 : other + 1;
  }

  QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }
  void doAction(const QString& action) override {
    if (action == showMenuAction())
      combo()->showPopup();
    else
      QAccessibleWidget::doAction(action);
  }

 private:
  QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* labelledCombos(const QString& className, QObject* object) {
  auto* combo = qobject_cast<QComboBox*>(object);
  return className == QLatin1String("QComboBox") && combo ? new LabelledCombo(combo) : nullptr;
}

}  // namespace

void nameCombosByTheirLabels() {
  static const bool installed = (QAccessible::installFactory(labelledCombos), true);
  Q_UNUSED(installed);
}
