#pragma once

#include <QVariant>

class QLineEdit;

// What a box shows, as the value its column stores: an empty box stores no value.
QVariant boxText(const QString& text);

// A document number at SAVE: empty, or nothing but blanks, it could never be
// found again, so a Refusal "WRITE <what> otherwise Data will not be saved..".
// Any other number is stored as typed.
void requireNumberWritten(const QString& number, const QString& what);

// A rate or amount box: a 32-bit whole number of 0 or more, no value when the
// box is empty, otherwise a Refusal saying why it cannot be stored.
QVariant boxAmount(const QString& text, const QString& what);

// A box for a whole number: other keys warn but still pass, and it holds at
// most this many characters, room for any value with leading zeros.
inline constexpr int kDigitBoxLength = 20;
void makeDigitBox(QLineEdit* box);
// A digit box for an amount, whose value is checked when the user leaves it:
// a message, nothing more.
void makeAmountBox(QLineEdit* box, const QString& what);
