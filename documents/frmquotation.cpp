#include "documents/frmquotation.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"

namespace {
const QString kTable = QStringLiteral("tquote");
}

frmquotation::frmquotation(FormHost& host)
    : AnsweringForm(QStringLiteral("frmquotation"), QStringLiteral("QUOTATION FORM"), host, quotationBlockTexts(),
                    Step::Quotation,
                    {kTable, QStringLiteral("quotenum"), QStringLiteral("loginquote"),
                     // The purchase order finds its transaction by this number: it must be unique.
                     QStringLiteral("This Quotation No. already exist..Please Write New Quotation Number ..."),
                     QStringLiteral("Inquiry No.")}) {
  buildControls();
  layOut();
  loginBox_->setText(loginName());
  connectHandlers();
  useSaveButton(save_);
}

void frmquotation::buildControls() {
  inquiry_ = makeParentCombo(QStringLiteral("datacominqnoquote"), QStringLiteral("CHOOSE EXISTING INQUIRY No. FOR PARTY."),
                             QStringLiteral("adinqnumquote"));
  show_ = makeButton(this, QStringLiteral("cmdshow"), QStringLiteral("SHOW"),
                     QStringLiteral("TO ACCESS ALL BOXES CLICK IT/ UNTILL NOT WRITE EXISTING INQUIRYE No. IT WILL NOT "
                                    "WORK."));
  client_ = makeTextBox(this, QStringLiteral("txtclient"), QStringLiteral("PARTY NAME"));
  number_ = makeTextBox(this, QStringLiteral("txtquotenum"), QStringLiteral("WRITE QUOTATION No. "));
  calendar_ = makeCalendar(this, QStringLiteral("calquotedatequote"),
                           QStringLiteral("SELECT DATE AT WHICH QUOTATION IS BEING SEND"));
  date_ = makeTextBox(this, QStringLiteral("txtquotedate"), QStringLiteral("SHOWS DATE OF QUOTATION"));
  rate_ = makeTextBox(this, QStringLiteral("txtquoterate"), QStringLiteral("QUOTE PRICE AS OFFERED TO PARTY.."));
  edit_ = makeButton(this, QStringLiteral("cmditemedit"), QStringLiteral("EDIT??"),
                     QStringLiteral("CLICK IT IF WANT TO ADD/DELETE/EDIT ITEM INFORMATION..."));
  loginBox_ = makeTextBox(this, QStringLiteral("txtloginquote"), QStringLiteral("CURRENT LOGIN NAME"));
  save_ = makeButton(this, QStringLiteral("cmdsavequote"), QStringLiteral("SAVE DATA and CLOSE FORM"),
                     QStringLiteral("CLICK IT ONLY AFTER COMPLETING DATA ENTRY.."));

  limitTextLength(inquiry_, textLimit(kTable, QStringLiteral("inqnum")));
  limitTextLength(client_, textLimit(kTable, QStringLiteral("client")));
  limitTextLength(number_, textLimit(kTable, QStringLiteral("quotenum")));
  setControlsEnabled({client_, number_, date_, rate_, edit_, loginBox_, save_}, false);
  calendar_->hide();
}

void frmquotation::layOut() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabelFor(this, QStringLiteral("SELECT INQUIRY NO."), inquiry_), 1, 0);
  grid->addWidget(inquiry_, 1, 1);
  grid->addWidget(show_, 1, 2);
  grid->addWidget(makeLabelFor(this, QStringLiteral("CLIENT"), client_), 2, 0);
  grid->addWidget(client_, 2, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("Quotation Number"), number_), 3, 0);
  grid->addWidget(number_, 3, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("Date of Quote"), date_), 4, 0);
  grid->addWidget(date_, 4, 1);
  grid->addWidget(calendar_, 5, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("QUOTATION RATE"), rate_), 6, 0);
  grid->addWidget(rate_, 6, 1);
  grid->addWidget(edit_, 6, 2);
  grid->addWidget(block(), 7, 0, 1, 4);
  grid->addWidget(loginBox_, 8, 0);
  grid->addWidget(save_, 8, 2, 1, 2);
  nameForReaders(calendar_, QStringLiteral("Date of Quote calendar"));
  nameForReaders(loginBox_, QStringLiteral("CURRENT LOGIN NAME"));
}

void frmquotation::connectHandlers() {
  connectGuarded(show_, &QPushButton::clicked, this, [this] { showPressed(); });
  upperCaseTypedKeys(number_);
  onDatePicked(calendar_, date_, [this](QDate day) { answerRow().setValue(QStringLiteral("quotedate"), day); });
  makeAmountBox(rate_, QStringLiteral("QUOTATION RATE"));
  useEditButton(edit_);
}

void frmquotation::showPressed() {
  const QString chosen = inquiry_->currentText();
  if (!loadParent(chosen, {QStringLiteral("Please fill Inquiry Number"),
                           QStringLiteral("Please Choose Existing Inquiry Number From List")}))
    return;
  showClientIn(client_);
  setControlsEnabled({client_, number_, date_, edit_, rate_, save_}, true);
  calendar_->setVisible(true);
}

void frmquotation::takeBoxes() {
  const QString number = number_->text();
  requireNumberWritten(number, QStringLiteral("QUOTATION  NUMBER"));
  answerRow().setValue(QStringLiteral("quoterate"), boxAmount(rate_->text(), QStringLiteral("QUOTATION RATE")));
  takeAnswer(number, boxText(client_->text()));
}
