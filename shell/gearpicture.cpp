#include "shell/gearpicture.h"

#include <QPainter>

void GearPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(width() / 2.0, height() / 2.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2f, 0x4f, 0x6f));
  constexpr int kTeeth = 10;
  for (int tooth = 0; tooth < kTeeth; ++tooth) {
    painter.drawRect(QRectF(-7, -46, 14, 16));
    painter.rotate(360.0 / kTeeth);
  }
  painter.drawEllipse(QPointF(), 34, 34);
  painter.setBrush(palette().window());
  painter.drawEllipse(QPointF(), 12, 12);
}
