#pragma once

#include <QStringList>

class QAccessibleInterface;
class QObject;
class QWidget;

// What a screen reader meets.
//
// Every node of the accessibility tree below `root` (root included), depth first.
QList<QAccessibleInterface*> accessibleTree(QObject* root);
// Each node's name, value and description, as "name | value | description".
QStringList accessibleTexts(QObject* root);
// The node of the tree below `root` whose object is `object`; nullptr when the tree does not hold it.
QAccessibleInterface* findInTree(QObject* root, QObject* object);
// An action of the control's accessible interface ("Toggle", "Press", "SetFocus"),
// run as a screen reader runs it.
void actAccessibly(QWidget* control, const QString& action);
