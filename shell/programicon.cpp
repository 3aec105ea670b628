#include "shell/programicon.h"

#include <QPainter>
#include <QPolygonF>

QImage drawProgramIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);  // drawn on a 256-unit square
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2f, 0x4f, 0x6f));
  painter.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
  painter.setBrush(Qt::white);
  painter.drawPolygon(QPolygonF({{56, 56}, {100, 56}, {128, 150}, {156, 56}, {200, 56}, {148, 204}, {108, 204}}));
  return image;
}
