#include "shell/programpicture.h"

#include <QPainter>

#include "shell/programicon.h"

void ProgramPicture::paintEvent(QPaintEvent*) {
  const int side = std::min(width(), height());
  QImage picture = drawProgramIcon(int(side * devicePixelRatioF()));
  picture.setDevicePixelRatio(devicePixelRatioF());
  QPainter(this).drawImage(QPoint((width() - side) / 2, (height() - side) / 2), picture);
}
