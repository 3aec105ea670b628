#include "tests/support/readers.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSet>
#include <QWidget>

namespace {
void walk(QAccessibleInterface* node, QList<QAccessibleInterface*>& found, QSet<QAccessible::Id>& seen) {
  if (!node || !node->isValid() || seen.contains(QAccessible::uniqueId(node))) return;
  seen.insert(QAccessible::uniqueId(node));
  found << node;
  for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), found, seen);
}

QList<QAccessibleInterface*> accessibleTree(QObject* root) {
  QList<QAccessibleInterface*> found;
  QSet<QAccessible::Id> seen;
  walk(QAccessible::queryAccessibleInterface(root), found, seen);
  return found;
}
}  // namespace

QStringList accessibleTexts(QObject* root) {
  QStringList texts;
  for (QAccessibleInterface* node : accessibleTree(root))
    texts << QStringLiteral("%1 | %2 | %3")
                 .arg(node->text(QAccessible::Name), node->text(QAccessible::Value), node->text(QAccessible::Description));
  return texts;
}

void actAccessibly(QWidget* control, const QString& action) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(control);
  QAccessibleActionInterface* actions = node ? node->actionInterface() : nullptr;
  if (!actions || !actions->actionNames().contains(action))
    qFatal("%s offers no accessible action %s", qPrintable(control->objectName()), qPrintable(action));
  actions->doAction(action);
}
