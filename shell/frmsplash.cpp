#include "shell/frmsplash.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "commandline/commandline.h"
#include "shell/programpicture.h"
#include "store/files/newdatabase.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text, const QString& tooltip = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setToolTip(tooltip);
  l->setAlignment(Qt::AlignCenter);
  return l;
}
}  // namespace

frmSplash::frmSplash(FormHost& host) : FormBase(QStringLiteral("frmSplash")), host_(host) {
  setWindowFlags(Qt::FramelessWindowHint);
  setPlacement(Placement::Centred);
  setFocusPolicy(Qt::StrongFocus);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFrameShape(QFrame::Box);
  frame->installEventFilter(this);

  auto* image = new ProgramPicture(frame);
  image->setObjectName(QStringLiteral("Image1"));
  image->setToolTip(QStringLiteral("MAN-MACHINE  ENTWINED...."));

  auto* product = label(frame, "lblProductName", QStringLiteral("VANTORA"));

  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(image, 0, Qt::AlignHCenter);
  inner->addWidget(product);
  inner->addWidget(label(frame, "lblVersion", QStringLiteral("Version : ") + programVersion(),
                         QStringLiteral("FIRST RELEASE..FIRST MAJOR ..NO MINOR")));
  inner->addWidget(label(frame, "lblPlatform", QStringLiteral("Desktop edition for Linux")));
  inner->addWidget(label(frame, "lblCompanyProduct",
                         QStringLiteral("VANTORA office software for engineering goods trade")));
  inner->addWidget(label(frame, "lblPressKey", QStringLiteral("Press any key or click here to sign in")));

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(frame);
}

void frmSplash::keyPressEvent(QKeyEvent*) { proceedToSignIn(); }

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (watched->objectName() == QLatin1String("Frame1") && event->type() == QEvent::MouseButtonRelease) {
    proceedToSignIn();
    return true;
  }
  return FormBase::eventFilter(watched, event);
}

void frmSplash::proceedToSignIn() {
  runGuarded([this] {
    // Where no database stands yet, one is made first. The sheet stays on
    // screen when the next form cannot open (its error was shown).
    const bool firstStart = awaitsCreation(host_.databasePath());
    if (host_.show(firstStart ? QStringLiteral("frmfirststart") : QStringLiteral("frmLogin"))) closeByOwnPath();
  });
}
