#include <QApplication>
#include <exception>

#include "addressbook/addressbookforms.h"
#include "browse/browseforms.h"
#include "documents/documentforms.h"
#include "reports/reportforms.h"
#include "shell/frmmdi.h"
#include "shell/shellforms.h"
#include "store/backup.h"
#include "store/databaselocation.h"
#include "toolkit/prompter.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  GuardedApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("VANTORA"));
  QApplication::setApplicationName(QStringLiteral("VANTORA"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));

  registerShellForms();
  registerDocumentForms();
  registerAddressBookForms();
  registerReportForms();
  registerBrowseForms();

  removeStalePartialBackups(databasePathFrom(QApplication::arguments()));
  frmmdi frame(databasePathFrom(QApplication::arguments()));
  frame.showAsLastTime();
  frame.start();
  return QApplication::exec();
}
