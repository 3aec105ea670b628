#include "shell/frmfirststart.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "store/engine/serverlocation.h"
#include "store/files/newdatabase.h"
#include "store/logins.h"
#include "store/schema.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/prompter.h"
#include "toolkit/refusal.h"

namespace {

DemoDatabase& offeredDemo() {
  static DemoDatabase demo;
  return demo;
}

const QString kTitle = QStringLiteral("NEW DATABASE");

QString whereText(const QString& location) {
  return isServerLocation(location)
             ? QStringLiteral("This database on the server holds no VANTORA tables yet; VANTORA can make them there now:")
             : QStringLiteral("No database was found here; VANTORA can create one now:");
}

}  // namespace

void offerDemoDatabase(DemoDatabase demo) { offeredDemo() = std::move(demo); }

frmfirststart::frmfirststart(FormHost& host) : FormBase(QStringLiteral("frmfirststart")), host_(host) {
  setWindowTitle(kTitle);
  setPlacement(Placement::Centred);

  // A long path or server address scrolls in its box rather than widening the form.
  QLineEdit* location = makeTextBox(this, QStringLiteral("txtwhere"), QString());
  location->setText(shownServerLocation(host.databasePath()));
  location->setReadOnly(true);
  location->setCursorPosition(0);
  QLabel* where = makeLabelFor(this, whereText(host.databasePath()), location);
  where->setObjectName(QStringLiteral("lblwhere"));
  where->setWordWrap(true);
  empty_ = new QRadioButton(QStringLiteral("An &empty database, for the office's own records"), this);
  empty_->setObjectName(QStringLiteral("optempty"));
  empty_->setChecked(true);
  demo_ = new QRadioButton(QStringLiteral("A &demo database, with example records to try VANTORA on"), this);
  demo_->setObjectName(QStringLiteral("optdemo"));
  demo_->setVisible(bool(offeredDemo().fill));

  auto* names = new QGroupBox(QStringLiteral("SIGN-IN NAMES"), this);
  names->setObjectName(QStringLiteral("framesignin"));
  auto* grid = new QGridLayout(names);
  const int nameLimit = textLimit(QStringLiteral("tloginpassword"), QStringLiteral("adminname"));
  const int passwordLimit = textLimit(QStringLiteral("tloginpassword"), QStringLiteral("user1password"));
  const auto addBox = [&](const char* name, const char* caption, bool password) {
    QLineEdit* box = makeTextBox(names, QString::fromLatin1(name), QString());
    if (password) {
      box->setEchoMode(QLineEdit::Password);
      box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*", as on the sign-in form
    }
    limitTextLength(box, password ? passwordLimit : nameLimit);
    const int row = grid->rowCount();
    grid->addWidget(makeLabelFor(names, QString::fromLatin1(caption), box), row, 0);
    grid->addWidget(box, row, 1);
    return box;
  };
  adminName_ = addBox("txtadminname", "ADMINISTRATOR &NAME", false);
  adminPassword_ = addBox("txtadminpassword", "ADMINISTRATOR &PASSWORD", true);
  clerkName_ = addBox("txtclerkname", "FIRST &CLERK NAME", false);
  clerkPassword_ = addBox("txtclerkpassword", "FIRST CLERK PASS&WORD", true);

  auto* createButton = makeButton(this, QStringLiteral("cmdcreate"), QStringLiteral("CREATE"),
                                  QStringLiteral("CREATES THE DATABASE CHOSEN, THEN THE SIGN-IN FORM FOLLOWS"));
  createButton->setDefault(true);
  auto* back = makeButton(this, QStringLiteral("cmdback"), QStringLiteral("Go Back"), QStringLiteral("BACK TO THE FIRST SHEET"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, kTitle, QStringLiteral("Label8")));
  layout->addWidget(where);
  layout->addWidget(location);
  layout->addWidget(empty_);
  layout->addWidget(names);
  layout->addWidget(demo_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(createButton);
  buttons->addWidget(back);
  layout->addLayout(buttons);

  connect(empty_, &QRadioButton::toggled, names, &QWidget::setEnabled);
  connectGuarded(createButton, &QPushButton::clicked, this, [this] { create(); });
  setCloseButton(back);
  connectGuarded(back, &QPushButton::clicked, this, [this] {
    host_.showNext(QStringLiteral("frmSplash"));
    closeByOwnPath();
  });
}

QStringList frmfirststart::signInSlots() const {
  QStringList values = {adminName_->text(), adminPassword_->text(), clerkName_->text(), clerkPassword_->text()};
  const QString problem = signInSlotsProblem(values);
  if (!problem.isEmpty()) throw Refusal{problem + QStringLiteral("\nNo database was created."), kTitle, Prompter::Icon::Warning};
  if (clerkName_->text().isEmpty())
    throw Refusal{QStringLiteral("USER 1: give the first clerk's name and password; the administrator signs in to the "
                                 "administrator's screen only.\nNo database was created."),
                  kTitle, Prompter::Icon::Warning};
  while (values.size() < 12) values << QString();
  return values;
}

void frmfirststart::create() {
  const QString location = host_.databasePath();
  QString done = QStringLiteral("The database was created:\n%1").arg(shownServerLocation(location));
  if (empty_->isChecked()) {
    createEmptyDatabase(location, signInSlots());
  } else {
    createDatabase(location, {}, offeredDemo().fill);
    done += QStringLiteral("\n\n") + offeredDemo().signInHint;
  }
  tell(done, kTitle, Prompter::Icon::Information);
  host_.showNext(QStringLiteral("frmLogin"));
  closeByOwnPath();
}

// Closed without a database (its close box, Escape): the first sheet comes back.
void frmfirststart::releaseData() {
  if (!closingForExit()) host_.showNext(QStringLiteral("frmSplash"));
}
