#include "shell/frmmdi.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>

#include "shell/editgate.h"
#include "shell/frmlogin.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/files/backup.h"
#include "toolkit/errorsink.h"
#include "toolkit/formbase.h"
#include "toolkit/formhost.h"
#include "toolkit/menuaccessible.h"
#include "toolkit/prompter.h"

namespace {

struct MenuItem {
  const char* name;
  const char* caption;
  const char* form;  // the form it shows; nullptr for the frame's own actions
};

// The menus enabled by sign-in, in the order they are enabled.
const char* const kWorkingMenus[] = {"input", "viewdata", "editdata", "query", "report", "backup", "help"};

const MenuItem kInputItems[] = {
    {"inquiry", "               INQUIRY", "frminquiry"},
    {"quote", "                   QUOTATION", "frmquotation"},
    {"po", "                            PURCHASE ORDER", "frmpurchaseorder"},
    {"inv", "                                     INVOICE", "frminvoicechallan"},
    {"address", "                                             ADDRESS", "frmaddressbook"},
};

const MenuItem kReportItems[] = {
    {"rptinq", "              PENDING INQUIRY", "frmpendinginquiryrpt"},
    {"rptquote", "                     PENDING QUOTATION", "frmpendingquoterpt"},
    {"rptpo", "                            PENDING PURCHASE ORDER", "frmpoexerpt"},
    {"rptout", "                                   OUTSTANDING  REPORT", "frmoutstandingrpt"},
    {"rptfollowup", "                                          FOLLOW-UP", "frmfollowup"},
};

}  // namespace

frmmdi::frmmdi(const QString& databasePath, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmmdi"));
  setWindowTitle(QStringLiteral("VANTORA"));
  area_ = new QMdiArea(this);
  area_->setBackground(QBrush(QColor(0x2f, 0x4f, 0x6f)));
  area_->viewport()->installEventFilter(this);
  setCentralWidget(area_);
  host_ = new FormHost(area_, databasePath);
  // The sign-in form is opened by the splash sheet; hear of its success here.
  connect(host_, &FormHost::opened, this, [this](QWidget* form) {
    if (auto* login = qobject_cast<frmLogin*>(form)) connect(login, &frmLogin::signedIn, this, &frmmdi::onSignedIn);
  });
  buildMenus();
  setWorkingMenusEnabled(false);
}

void frmmdi::buildMenus() {
  nameMenuItemsByTrimmedCaptions();  // the blanks place the captions; readers hear the words
  auto addSubmenu = [this](const char* name, const char* caption, const auto& items) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    for (const MenuItem& item : items) {
      QAction* action = menu->addAction(QString::fromLatin1(item.caption));
      action->setObjectName(QString::fromLatin1(item.name));
      const QString form = QString::fromLatin1(item.form);
      connect(action, &QAction::triggered, this, [this, form] { showForm(form); });
    }
  };
  auto addAction = [this](const char* name, const char* caption, auto handler) {
    QAction* action = menuBar()->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
  };

  addSubmenu("input", "             INPUT ", kInputItems);
  addAction("viewdata", "             VIEW  ", [this] { showForm(QStringLiteral("frmviewdata")); });
  addAction("editdata", "             EDIT ", [this] { passEditGate(*host_); });
  addAction("query", "             QUERY", [this] { showForm(QStringLiteral("frmquery1")); });
  addSubmenu("report", "              REPORT", kReportItems);
  addAction("backup", "              BACK UP", [this] { backUpNow(); });
  addAction("help", "              HELP", [this] { showForm(QStringLiteral("frmhelp")); });
  addAction("exit", "               EXIT", [this] { exitProgram(); });
}

void frmmdi::setWorkingMenusEnabled(bool enabled) {
  for (const char* name : kWorkingMenus)
    for (QAction* action : menuBar()->actions())
      if (action->objectName() == QLatin1String(name)) action->setEnabled(enabled);
}

void frmmdi::showForm(const QString& name) { host_->show(name); }

void frmmdi::showAsLastTime() {
  // Where the user left it; maximised the first time.
  if (!restoreGeometry(QSettings().value(QStringLiteral("frame/geometry")).toByteArray())) {
    showMaximized();
    return;
  }
  show();
}

void frmmdi::start() { host_->show(QStringLiteral("frmSplash")); }

void frmmdi::onSignedIn() {
  setWorkingMenusEnabled(true);
  showForm(QStringLiteral("frmmain"));
}

void frmmdi::exitProgram() {
  if (!askYesNo(QStringLiteral(" WARNING!!!CLOSING THIS FORM WILL CLOSE ALL FORM AND THIS PROGRAM..Do you want to close??"),
                QStringLiteral("ALERT!!")))
    return;
  // Every form is asked before any closes: one refusal keeps them all open.
  QList<FormBase*> forms;
  for (QWidget* form : host_->openForms()) {
    auto* base = qobject_cast<FormBase*>(form);
    if (!base) continue;
    if (!base->agreesToExit()) return;
    forms << base;
  }
  for (FormBase* form : forms) form->closeForExit();
  closingFlag_ = true;
  close();
}

void frmmdi::closeEvent(QCloseEvent* event) {
  if (!closingFlag_) {
    tell(QStringLiteral("To close this software, please click at EXIT menu.."), QStringLiteral("Info.."),
         Prompter::Icon::Error);
    event->ignore();
    return;
  }
  QSettings().setValue(QStringLiteral("frame/geometry"), saveGeometry());
  event->accept();
}

bool frmmdi::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_->viewport() && event->type() == QEvent::MouseButtonPress) {
    tell(QStringLiteral("VANTORA: the sales office's records of inquiries, quotations, orders and invoices "
                        "for pumps, spares, couplings and motors."),
         QStringLiteral("Info.."));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmmdi::backUpNow() {
  const QString destination = timestampedBackupPath(host_->databasePath(), QDateTime::currentDateTime());
  std::unique_ptr<Connection> connection = Connection::open(host_->databasePath());
  backupDatabase(*connection, destination);
  QString made = QStringLiteral("A backup copy of the database was made:\n%1").arg(destination);
  const QString usual = usualBackupFolderFor(host_->databasePath());
  if (QFileInfo(destination).absolutePath() != usual)
    made += QStringLiteral("\n\nThe usual backup folder %1 cannot be made or written, so the copy went into the "
                           "database's own folder.")
                .arg(usual);
  tell(made, QStringLiteral("INFO..."), Prompter::Icon::Information);
}
