// The baseline for start-up: a minimal Qt program whose one window shows a
// line of text, and which ends as soon as that window has painted itself.
#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {
class EndAfterPaint : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    return false;
  }
};
}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("A line of text, painted."));
  EndAfterPaint end;
  window.installEventFilter(&end);
  window.resize(800, 600);
  window.show();
  return QApplication::exec();
}
