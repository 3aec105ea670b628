#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <exception>

#include "addressbook/addressbookforms.h"
#include "browse/browseforms.h"
#include "commandline/commandline.h"
#include "documents/documentforms.h"
#include "reports/reportforms.h"
#include "shell/frmfirststart.h"
#include "shell/frmmdi.h"
#include "shell/shellforms.h"
#include "toolkit/prompter.h"
#include "toolkit/upgradeprogress.h"
#include "tools/demodata.h"

namespace {

// Handlers run guarded; this only catches what slipped past them, so that no
// error ever ends the program.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      tell(QStringLiteral("Something went wrong: %1").arg(QString::fromStdString(error.what())),
           QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
      return false;
    }
  }
};

// Qt's own options (-platform, -style, -session from a session manager...)
// are let through: QApplication takes them out of the arguments itself.
void letQtOptionsThrough(QCommandLineParser& parser) {
  const auto letThrough = [&parser](const char* name, const QString& valueName) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  };
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
                           "qwindowicon", "qwindowtitle", "session", "display", "style", "stylesheet"})
    letThrough(name, QStringLiteral("value"));
  for (const char* name : {"reverse", "widgetcount"}) letThrough(name, QString());
}

QStringList argumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// The first start's demo choice: what vantora-db demo makes by default.
DemoDatabase demoDatabase() {
  const auto pair = [](const DemoCredentials& slot) {
    return QStringLiteral("\"%1\" / \"%2\"").arg(QString::fromLatin1(slot.name), QString::fromLatin1(slot.password));
  };
  return {[](Connection& connection) { fillDemoData(connection, 60); },
          QStringLiteral("Sign in with %1 or %2; the administrator is %3.")
              .arg(pair(kDemoSlots[1]), pair(kDemoSlots[2]), pair(kDemoSlots[0]))};
}

// The icon at every size the build drew, so that each place the desktop
// shows it gets a sharp one. Read as PNG by name: a file handed to QIcon has
// its format guessed by loading every image plugin Qt has.
QIcon programIcon() {
  QIcon icon;
  for (const QString& size : QDir(QStringLiteral(":/icons")).entryList()) {
    QImageReader png(QStringLiteral(":/icons/%1/apps/vantora.png").arg(size), "png");
    png.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(png.read()));
  }
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Read before any window exists, so that --help needs no display.
  ProgramCommandLine commandLine(
      QStringLiteral("vantora"),
      QStringLiteral("Records of a sales office trading in engineering goods: inquiries, quotations, purchase\n"
                     "orders, invoices with delivery challans, an address book and follow-up reports."));
  letQtOptionsThrough(commandLine.parser());
  if (const auto done = commandLine.read(argumentsOf(argc, argv))) return *done;
  if (!commandLine.parser().positionalArguments().isEmpty())
    return commandLine.refuse(
        QStringLiteral("unexpected argument '%1'.").arg(commandLine.parser().positionalArguments().first()));

  GuardedApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("VANTORA"));
  QApplication::setApplicationName(QStringLiteral("VANTORA"));
  QApplication::setApplicationDisplayName(QStringLiteral("VANTORA"));
  QApplication::setApplicationVersion(programVersion());
  QApplication::setDesktopFileName(QStringLiteral("vantora"));  // vantora.desktop: the desktop pairs windows and entry
  QApplication::setWindowIcon(programIcon());

  registerShellForms();
  registerDocumentForms();
  registerAddressBookForms();
  registerReportForms();
  registerBrowseForms();
  offerDemoDatabase(demoDatabase());
  showUpgradeProgress();

  const QString database = commandLine.databasePath();
  frmmdi frame(database);
  frame.showAsLastTime();
  frame.start();
  return QApplication::exec();
}
