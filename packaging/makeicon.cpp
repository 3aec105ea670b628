// vantora-icon: draws the program's icon at each size given, into
// FOLDER/<size>x<size>/apps/vantora.png, the layout of an icon theme.
#include <QDir>
#include <cstdio>

#include "shell/programicon.h"

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
    if (size <= 0 || !folder.mkpath(apps) || !drawProgramIcon(size).save(file)) {
      std::fprintf(stderr, "vantora-icon: could not write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
