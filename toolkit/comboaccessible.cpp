#include "toolkit/comboaccessible.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class LabelledCombo : public QAccessibleWidget {
 public:
  explicit LabelledCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && !widget()->accessibleName().isEmpty()) return widget()->accessibleName();
    if (t == QAccessible::Value || t == QAccessible::Name) return combo()->currentText();
    return QAccessibleWidget::text(t);
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
