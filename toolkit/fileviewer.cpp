#include "toolkit/fileviewer.h"

#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace {

class DesktopViewer : public FileViewer {
 public:
  bool show(const QString& path) override { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
};

FileViewer* installed = nullptr;

}  // namespace

FileViewer& fileViewer() {
  static DesktopViewer desktop;
  return installed ? *installed : desktop;
}

FileViewer* installFileViewer(FileViewer* viewer) { return std::exchange(installed, viewer); }
