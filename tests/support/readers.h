#pragma once

#include <QStringList>

class QObject;
class QWidget;

// What a screen reader meets.
//
// Each node's name, value and description, as "name | value | description",
// for every node of the accessibility tree below `root` (root included).
QStringList accessibleTexts(QObject* root);
// An action of the control's accessible interface ("Toggle", "Press"), run
// as a screen reader runs it.
void actAccessibly(QWidget* control, const QString& action);
