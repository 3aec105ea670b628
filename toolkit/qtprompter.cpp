#include "toolkit/qtprompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "toolkit/titlewidth.h"

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
  switch (icon) {
    case Prompter::Icon::Error:
      return QMessageBox::Critical;
    case Prompter::Icon::Warning:
      return QMessageBox::Warning;
    case Prompter::Icon::Information:
      return QMessageBox::Information;
    case Prompter::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString shownTitle(const QString& title) { return title.isEmpty() ? QString::fromLatin1(kApplicationTitle) : title; }

}  // namespace

Prompter::Answer QtPrompter::message(const QString& text, const QString& title, Buttons buttons, Icon icon) {
  QMessageBox box(boxIcon(icon), shownTitle(title), text,
                  buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  QApplication::activeWindow());
  if (buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);  // Escape answers No
  makeRoomForTitle(&box);
  const int answer = box.exec();
  if (buttons == Buttons::Ok) return Answer::Ok;
  return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPrompter::input(const QString& prompt, const QString& title, Echo echo) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(shownTitle(title));
  dialog.setLabelText(prompt);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextEchoMode(echo == Echo::Masked ? QLineEdit::Password : QLineEdit::Normal);
  dialog.sizeHint();  // the dialog makes its layout on first asking: the strut goes into it
  makeRoomForTitle(&dialog);
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
