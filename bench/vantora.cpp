// bench_vantora startup DB          start the frame; end when the splash has painted
// bench_vantora signin DB           print us from a key press on the painted splash to the sign-in form painted
// bench_vantora open DB N           open a connection to the database N times; prints ns per round
// bench_vantora form NAME DB N      open and close a form N times; prints ns per round
// bench_vantora show NAME DB N      open a form, press SHOW on what it offers first, close, N times; prints ns per SHOW
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "addressbook/addressbookforms.h"
#include "bench/benchapplication.h"
#include "browse/browseforms.h"
#include "documents/documentforms.h"
#include "shell/frmmdi.h"
#include "shell/shellforms.h"
#include "store/connection.h"
#include "toolkit/formhost.h"

namespace {

// Runs `then` once the widget has painted itself.
class AfterPaint : public QObject {
 public:
  AfterPaint(QWidget* widget, std::function<void()> then) : QObject(widget), then_(std::move(then)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) QTimer::singleShot(0, qApp, std::exchange(then_, nullptr));
    return false;
  }

 private:
  std::function<void()> then_;
};

void quit() { QCoreApplication::exit(0); }  // quit() would ask the frame, which refuses

int startup(const QString& database) {
  frmmdi frame(database);
  frame.showAsLastTime();
  frame.start();
  new AfterPaint(frame.host().find(QStringLiteral("frmSplash")), quit);
  return QApplication::exec();
}

int signIn(const QString& database) {
  frmmdi frame(database);
  frame.showAsLastTime();
  frame.start();
  QWidget* splash = frame.host().find(QStringLiteral("frmSplash"));
  QElapsedTimer pressed;
  new AfterPaint(splash, [&] {
    pressed.start();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(splash, &key);
    QWidget* login = frame.host().find(QStringLiteral("frmLogin"));
    if (!login) return QCoreApplication::exit(1);
    new AfterPaint(login, [&] {
      std::printf("%lld\n", static_cast<long long>(pressed.nsecsElapsed() / 1000));
      quit();
    });
  });
  return QApplication::exec();
}

int open(const QString& database, int rounds) {
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) Connection::open(database);
  return printNanoseconds(timer.nsecsElapsed() / rounds);
}

int form(const QString& name, const QString& database, int rounds) {
  QMdiArea area;
  area.show();
  FormHost host(&area, database);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) {
    QWidget* form = host.show(name);
    if (!form) return 1;
    QApplication::processEvents();
    area.closeAllSubWindows();  // the silent prompter answers YES to closing
    // A closed form is deleted later, which no event loop here would do: its
    // connection would stay open, as it does not in VANTORA.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  return printNanoseconds(timer.nsecsElapsed() / rounds);
}

int show(const QString& name, const QString& database, int rounds) {
  QMdiArea area;
  area.show();
  FormHost host(&area, database);
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QWidget* form = host.show(name);
    auto* button = form ? form->findChild<QPushButton*>(QStringLiteral("cmdshowedit")) : nullptr;
    if (!button) button = form ? form->findChild<QPushButton*>(QStringLiteral("cmdshow")) : nullptr;
    if (!button) return 1;
    QElapsedTimer timer;
    timer.start();
    button->click();
    QApplication::processEvents();
    spent += timer.nsecsElapsed();
    qDeleteAll(area.subWindowList());  // a shown form refuses to close; it is simply dropped here
    QApplication::processEvents();
  }
  return printNanoseconds(spent / rounds);
}

}  // namespace

int main(int argc, char* argv[]) {
  BenchApplication bench(argc, argv);
  registerShellForms();
  registerDocumentForms();
  registerAddressBookForms();
  registerBrowseForms();
  const QStringList args = QApplication::arguments();
  if (args.size() == 3 && args[1] == "startup") return startup(args[2]);
  if (args.size() == 3 && args[1] == "signin") return signIn(args[2]);
  if (args.size() == 4 && args[1] == "open") return open(args[2], args[3].toInt());
  if (args.size() == 5 && args[1] == "form") return form(args[2], args[3], args[4].toInt());
  if (args.size() == 5 && args[1] == "show") return show(args[2], args[3], args[4].toInt());
  std::fprintf(stderr, "usage: see the top of bench/vantora.cpp\n");
  return 2;
}
