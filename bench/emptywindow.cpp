// Shows one empty window and exits as soon as it is on screen.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(800, 600);
  window.show();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return QApplication::exec();
}
