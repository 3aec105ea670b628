#include "reports/frmreport.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

namespace {

struct ReportButton {
  const char* name;
  const char* caption;
  const char* tooltip;
  const char* form;
};

constexpr ReportButton kButtons[] = {
    {"cmdpendinginq", "PENDING INQUIRY", "REPORT OF INQUIRIES FOR WHICH QUOTATION HAS TO BE SEND.. ", "frmpendinginquiryrpt"},
    {"cmdpendingquote", "PENDING QUOTATION", "REPORT OF QUOTATION FOR WHICH  PO  HAVE  NOT GOT...", "frmpendingquoterpt"},
    {"cmdpendingexecution", "PENDING ORDER", "REPORT OF NON-EXECUTED  PURCHASE ORDER ", "frmpoexerpt"},
    {"cmdoutstanding", "OUTSTANDING REPORT", "REPORT OF OUTSTANDING", "frmoutstandingrpt"},
};

}  // namespace

frmreport::frmreport(FormHost& host) : FormBase(QStringLiteral("frmreport")) {
  setWindowTitle(QStringLiteral("REPORT  FORM"));
  setCloseRule(CloseRule::useCloseButton());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("REPORT  FORM")));
  for (const ReportButton& b : kButtons) {
    auto* button = makeButton(this, QString::fromLatin1(b.name), QString::fromLatin1(b.caption), QString::fromLatin1(b.tooltip));
    const QString form = QString::fromLatin1(b.form);
    connectGuarded(button, &QPushButton::clicked, this, [&host, form] { host.show(form); });
    layout->addWidget(button);
  }
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
  layout->addWidget(close);
}
