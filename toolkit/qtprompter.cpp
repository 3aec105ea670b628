#include "toolkit/qtprompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

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
  const int answer = box.exec();
  if (buttons == Buttons::Ok) return Answer::Ok;
  return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPrompter::input(const QString& prompt, const QString& title, Echo echo) {
  bool ok = false;
  const QString text = QInputDialog::getText(QApplication::activeWindow(), shownTitle(title), prompt,
                                             echo == Echo::Masked ? QLineEdit::Password : QLineEdit::Normal, QString(), &ok);
  return ok ? text : QString();
}
