#pragma once

#include <QVariant>

class QLineEdit;

// What a box shows, as the value its column stores: an empty box stores no value.
QVariant boxText(const QString& text);

// A rate or amount box: a 32-bit whole number of 0 or more, no value when the
// box is empty, otherwise a Refusal saying why it cannot be stored.
QVariant boxAmount(const QString& text, const QString& what);
// The same check when the user leaves the box: a message, nothing more.
void warnOnLeavingBadAmount(QLineEdit* box, const QString& what);
