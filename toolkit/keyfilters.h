#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Digit boxes: any typed character but "0".."9" (Backspace included) shows
// "Please use NUMBER(0 to 9) only..." and is still entered.
void warnOnNonDigitKeys(QWidget* box);

// Document numbers: every typed character is entered in upper case.
void upperCaseTypedKeys(QWidget* box);

// Runs the handler (guarded) when the user moves the focus from the box to
// another control of the same form: Tab, Shift+Tab, a click inside the form.
// The close box, another form or window, a menu, a popup or a message box
// taking the focus does not count.
void onFocusLeave(QWidget* box, std::function<void()> handler);
