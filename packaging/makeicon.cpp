// vantora-icon: draws the program's icon at each size given, into
// FOLDER/<size>x<size>/apps/vantora.png, the layout of an icon theme.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cstdio>

namespace {

// Drawn on a 256-unit square at every size, rather than scaled down from one
// picture, so the small sizes stay sharp.
QImage drawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2f, 0x4f, 0x6f));  // the splash picture's blue
  painter.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
  painter.setBrush(Qt::white);
  painter.drawPolygon(QPolygonF({{56, 56}, {100, 56}, {128, 150}, {156, 56}, {200, 56}, {148, 204}, {108, 204}}));
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs("usage: vantora-icon FOLDER SIZE...\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) {
    const int size = QByteArray(argv[i]).toInt();
    const QString apps = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = folder.filePath(apps + QStringLiteral("/vantora.png"));
    if (size <= 0 || !folder.mkpath(apps) || !drawIcon(size).save(file)) {
      std::fprintf(stderr, "vantora-icon: could not write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
