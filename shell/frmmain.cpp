#include "shell/frmmain.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/editgate.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

namespace {

void tellHowToBackUp(FormHost&) {
  tell(QStringLiteral("To see instruction for database backup , please see BACK UP option by clicking HELP BUTTON..."),
       QStringLiteral("INFO..."), Prompter::Icon::Information);
}

struct PanelButton {
  const char* name;
  const char* caption;
  const char* tooltip;
  const char* form;                    // the form the button shows, or
  void (*action)(FormHost&) = nullptr;  // what it does instead
};

const PanelButton kInputButtons[] = {
    {"cmdinquiry", "INQUIRY", "TO ENTER DATA OF INQUIRY...", "frminquiry"},
    {"cmdquotation", "QUOTATION", "TO ENTER DATA OF QUOTATION..", "frmquotation"},
    {"cmdpurchaseorder", "PURCHASE ORDER", "TO  ENTER DATA OF PO..", "frmpurchaseorder"},
    {"cmdinvoicechallan", "INVOICE/ CHALLAN", "USE THIS TO ENTER INVOICE/CHALLAN DATA..", "frminvoicechallan"},
    {"cmdaddressbook", "ADDRESS BOOK", "DATABASE OF CLIENTS WHEREABOUTS  AND CONTACT ADDRESS/PHONE No. ETC",
     "frmaddressbook"},
};

const PanelButton kOtherButtons[] = {
    {"Command1", "VIEW DATA", "TO SEE EXISTING DATABASE...", "frmviewdata"},
    {"Command2", "EDIT DATA", "TO  EDIT EXISTING DATA USE THIS OPTION...", nullptr, passEditGate},
    {"Command3", "QUERY", "TO  SEE SORTED DATA IN  DIFFERENT PERSPECTIVE...", "frmquery1"},
    {"Command4", "REPORT", "TO MAKE REPORTS IN EXCEL FILE  USE THIS OPTION..", "frmreport"},
    {"Command5", "HELP", "BEFORE USING THIS SOFTWARE PLEASE READ THIS HELP MANUAL... ", "frmhelp"},
    {"Command6", "BACK UP", "CLICK THIS BUTTON TO KNOW HOW TO TAKE BACKUP OF DATABASE...", nullptr, tellHowToBackUp},
    {"cmdfollowup", "FOLLOW-UP", "TO SEE WHAT IS OVERDUE AT EVERY STAGE AND RECORD PAYMENT RECEIVED...", "frmfollowup"},
};

}  // namespace

frmmain::frmmain(FormHost& host) : FormBase(QStringLiteral("frmmain")), host_(host) {
  setWindowTitle(QStringLiteral("MAIN FORM"));
  CloseRule rule = CloseRule::refuse(QStringLiteral("Please Click CLOSE Button close this form"),
                                     QStringLiteral("ALERT!"), Prompter::Icon::Warning);
  rule.yieldsToExit = true;  // the panel never keeps the program from ending
  setCloseRule(rule);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("MAIN FORM"), QStringLiteral("Label1")));

  auto addFrame = [&](const char* name, const QString& caption, const QString& tooltip, const auto& buttons) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setToolTip(tooltip);
    auto* column = new QVBoxLayout(frame);
    for (const PanelButton& b : buttons) {
      auto* button = makeButton(frame, QString::fromLatin1(b.name), QString::fromLatin1(b.caption),
                                QString::fromLatin1(b.tooltip));
      column->addWidget(button);
      if (b.form) {
        const QString form = QString::fromLatin1(b.form);
        connectGuarded(button, &QPushButton::clicked, this, [this, form] { host_.show(form); });
      } else {
        connectGuarded(button, &QPushButton::clicked, this, [this, action = b.action] { action(host_); });
      }
    }
    layout->addWidget(frame);
  };
  addFrame("frameinput", QStringLiteral("INPUT DATA"),
           QStringLiteral("INPUT DATA FRAME IS USED TO ENTER/STORE  DATA IN DATABASE ... "), kInputButtons);
  addFrame("frmother", QString(), QString(), kOtherButtons);

  auto* close = makeButton(
      this, QStringLiteral("cmdclosemainform"), QStringLiteral("CLOSE "),
      QStringLiteral("ALERT!!!  AFTER CLICKING THIS BUTTON FORMS WHOULD BE INACCESIBLE/ WILL NEED TO RESTART PROGRAM..."));
  layout->addWidget(close);
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] {
    if (askYesNo(QStringLiteral("Warning!! Closing this form will close whole program!!  Click YES if want to close "
                                "main form...Click NO to more work...")))
      closeByOwnPath();
  });
}
