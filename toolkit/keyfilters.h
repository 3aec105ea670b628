#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Digit boxes: any typed character but "0".."9" (Backspace included) shows
// "Please use NUMBER(0 to 9) only..." and is still entered.
void warnOnNonDigitKeys(QWidget* box);

// Document numbers: every typed character is entered in upper case.
void upperCaseTypedKeys(QWidget* box);

// Runs the handler (guarded) when the user moves the focus out of the box.
// A message box or another window taking the focus does not count, so a
// warning shown while typing does not fire the box's leave handler.
void onFocusLeave(QWidget* box, std::function<void()> handler);
