#include "shell/frmhelp.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/programpicture.h"
#include "shell/helptexts.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/prompter.h"

namespace {

// A long text that scrolls within its tab and can be selected and copied.
QWidget* textPage(QWidget* parent, const QString& text, const QString& labelName) {
  auto* scroller = new QScrollArea(parent);
  scroller->setWidgetResizable(true);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the text wraps instead
  QLabel* label = makeLabel(scroller, text, labelName);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label->setMargin(8);
  scroller->setWidget(label);
  return scroller;
}

}  // namespace

frmhelp::frmhelp(FormHost& host) : FormBase(QStringLiteral("frmhelp")) {
  setWindowTitle(QStringLiteral("HELP"));
  setCloseRule(CloseRule::useCloseButton());

  tabs_ = makeTabs(this, QStringLiteral("sstabhelp"));
  int number = 1;
  for (const HelpPage& page : helpPages())
    tabs_->addTab(textPage(tabs_, helpText(page, host.databasePath()), QStringLiteral("Label%1").arg(number++)),
                  QString::fromLatin1(page.caption));
  tabs_->addTab(aboutPage(), QStringLiteral("ABOUT...."));
  tabs_->setCurrentIndex(tabs_->count() - 1);
  tabs_->setMinimumSize(640, 400);  // a page of the manual, not a strip of it
  tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 6px; }"));  // ten captions in an 800-pixel screen

  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("HELP FORM"), QStringLiteral("Label8")));
  layout->addWidget(tabs_, 1);
  layout->addWidget(close);
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
}

QWidget* frmhelp::aboutPage() {
  auto* frame = new QWidget(tabs_);
  frame->setObjectName(QStringLiteral("Frame2"));
  auto* picture = new ProgramPicture(frame);
  picture->setObjectName(QStringLiteral("Picture1"));
  picture->setToolTip(QStringLiteral("MAN-MACHINE  ENTWINED...."));
  QLabel* about = makeLabel(frame, QString::fromLatin1(kAboutText), QStringLiteral("Label10"));
  about->setWordWrap(true);
  info_ = new QPlainTextEdit(QString::fromLatin1(kMakerText), frame);
  info_->setObjectName(QStringLiteral("txtinfo"));
  info_->setReadOnly(true);
  info_->setVisible(false);
  info_->setEnabled(false);
  nameForReaders(info_, QStringLiteral("ABOUT ITS MAKERS"));
  auto* accessibility = makeButton(frame, QStringLiteral("Command3"), QStringLiteral("ACCESSIBILITY...."), QString());
  auto* more = makeButton(frame, QStringLiteral("Command4"), QStringLiteral("VANTORA TEAM... MORE.."), QString());

  auto* layout = new QGridLayout(frame);
  layout->addWidget(picture, 0, 0, Qt::AlignTop);
  layout->addWidget(about, 0, 1);
  layout->addWidget(info_, 1, 0, 1, 2);
  layout->addWidget(accessibility, 2, 0);
  layout->addWidget(more, 2, 1);
  layout->setRowStretch(1, 1);
  connectGuarded(accessibility, &QPushButton::clicked, this, [] {
    tell(QString::fromLatin1(kContactText), QStringLiteral("CONTACT  US...."), Prompter::Icon::Information);
  });
  connectGuarded(more, &QPushButton::clicked, this, [this] {
    info_->setVisible(true);
    info_->setEnabled(true);
  });
  return frame;
}
