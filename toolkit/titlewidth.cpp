#include "toolkit/titlewidth.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QWidget>

namespace {
constexpr double kTitleTypeScale = 1.3;  // title bars set their text larger and bold
constexpr int kIconAndButtons = 170;    // the icon, close, maximise and minimise buttons, margins
}  // namespace

int widthShowingTitle(const QWidget* window) {
  QString title = window->windowTitle();
  const QString program = QGuiApplication::applicationDisplayName();
  if (!program.isEmpty() && !title.contains(program)) title += QStringLiteral(" \u2014 ") + program;
  QFont type = window->font();
  type.setBold(true);
  return int(QFontMetrics(type).horizontalAdvance(title) * kTitleTypeScale) + kIconAndButtons;
}

void makeRoomForTitle(QWidget* window) {
  // A dialog with a layout takes its size from it: a strut there holds.
  const int width = widthShowingTitle(window);
  if (auto* grid = qobject_cast<QGridLayout*>(window->layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed), grid->rowCount(), 0, 1, grid->columnCount());
  else if (auto* box = qobject_cast<QBoxLayout*>(window->layout()))
    box->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed));
  else
    window->setMinimumWidth(std::max(window->minimumWidth(), width));
}
