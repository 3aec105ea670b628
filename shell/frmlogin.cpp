#include "shell/frmlogin.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/signinmessages.h"
#include "store/basics/dberror.h"
#include "store/logins.h"
#include "store/schema.h"
#include "store/witnesses.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

frmLogin::frmLogin(FormHost& host) : FormBase(QStringLiteral("frmLogin")), host_(host) {
  setWindowTitle(QStringLiteral("User Login"));
  setPlacement(Placement::Centred);

  connection_ = Connection::open(host.databasePath());
  log_ = RecordSet::openForAppend(*connection_, QStringLiteral("tloginwork"));
  log_.addNew();

  auto* heading = makeLabel(this, QStringLiteral("LOGIN FORM"), QStringLiteral("Label8"));
  auto* nameLabel = makeLabel(this, QStringLiteral("&User Name:"), QStringLiteral("lblLabels"));
  auto* passwordLabel = makeLabel(this, QStringLiteral("&Password:"), QStringLiteral("lblLabels"));

  userName_ = makeTextBox(this, QStringLiteral("txtusername"), QString());
  password_ = makeTextBox(this, QStringLiteral("txtpassword"), QString());
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // shown as "*"
  nameLabel->setBuddy(userName_);
  passwordLabel->setBuddy(password_);
  nameForReaders(userName_, nameLabel->text());
  nameForReaders(password_, passwordLabel->text());
  limitTextLength(userName_, textLimit(QStringLiteral("tloginwork"), QStringLiteral("login")));
  limitTextLength(password_, textLimit(QStringLiteral("tloginpassword"), QStringLiteral("user1password")));

  auto* submitUser = makeButton(this, QStringLiteral("cmdsubmituser"), QStringLiteral("SUBMIT USER"),
                                QStringLiteral("AFTER FILLING USERNAME/PASSWORD  CLICK IT TO OPEN FORMS.."));
  submitUser->setDefault(true);
  auto* submitAdmin = makeButton(this, QStringLiteral("cmdsubmitadmin"), QStringLiteral("SUBMIT ADMINISTRATOR"),
                                 QStringLiteral("ADMIN HAVE AUTHORITY TO SET  USERS  RIGHT/PASSWORD  ETC."));
  auto* product = makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(product, 0, 0);
  grid->addWidget(heading, 0, 1);
  grid->addWidget(nameLabel, 1, 0);
  grid->addWidget(userName_, 1, 1);
  grid->addWidget(passwordLabel, 2, 0);
  grid->addWidget(password_, 2, 1);
  grid->addWidget(submitUser, 3, 0);
  grid->addWidget(submitAdmin, 3, 1);

  connectGuarded(submitUser, &QPushButton::clicked, this, [this] { this->submitUser(); });
  connectGuarded(submitAdmin, &QPushButton::clicked, this, [this] { submitAdministrator(); });
  connect(password_, &QLineEdit::returnPressed, submitUser, &QPushButton::click);
  setFocusProxy(userName_);  // the sign-in form opens ready for the name
}

frmLogin::~frmLogin() = default;

// The slots are read at each press: the administrator may have just changed them.
bool frmLogin::signsIn(SignInSlots range) {
  const SignInVerdict verdict =
      checkSignIn(readSignInSlots(openSignInSlots(*connection_)), userName_->text(), password_->text(), range);
  if (verdict != SignInVerdict::Success) tell(signInMessage(verdict));
  return verdict == SignInVerdict::Success;
}

void frmLogin::submitUser() {
  if (!signsIn(SignInSlots::UsersOnly)) return;
  writeSignInLog(log_, userName_->text().trimmed(), QDateTime::currentDateTime());
  noteWitness();
  emit signedIn();
  closeByOwnPath();
}

// Each sign-in notes the change log's head outside the database; a sign-in
// never fails for want of it.
void frmLogin::noteWitness() {
  try {
    witnessHead(*connection_, QStringLiteral("sign-in"));
  } catch (const DbError&) {
  }
}

// The administrator's own pair opens the administrator screen; it is not a
// sign-in to the working forms, so nothing is logged.
void frmLogin::submitAdministrator() {
  if (!signsIn(SignInSlots::AdministratorOnly)) return;
  host_.show(QStringLiteral("frmadmintask"));
  closeByOwnPath();
}

// Closed without signing in (its close box, Escape): the splash sheet comes
// back, so that the way to sign in stays open.
void frmLogin::releaseData() {
  if (!closingForExit()) host_.showNext(QStringLiteral("frmSplash"));
}
