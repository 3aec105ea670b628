#include "documents/frminvoicechallan.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
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
const QString kTable = QStringLiteral("tinvoice");
const QString kAmount = QStringLiteral("INVOICE AMOUNT");
}  // namespace

frminvoicechallan::frminvoicechallan(FormHost& host)
    : AnsweringForm(QStringLiteral("frminvoicechallan"), QStringLiteral("Invoice/Challan FORM"), host,
                    invoiceBlockTexts(), Step::Invoice,
                    {kTable, QStringLiteral("invoicenum"), QStringLiteral("login"),
                     QStringLiteral("This Invoice No. already exist..Please Write New Invoice Number ..."),
                     QStringLiteral("PO No.")}) {
  buildControls();
  layOut();
  loginBox_->setText(loginName());
  connectHandlers();
  useSaveButton(save_);
}

void frminvoicechallan::buildControls() {
  order_ = makeParentCombo(QStringLiteral("datacomponuminv"),
                           QStringLiteral("choose an existing PO NUMBER for which invoice is being send.."),
                           QStringLiteral("adponuminv"));
  show_ = makeButton(this, QStringLiteral("cmdshow"), QStringLiteral("SHOW"),
                     QStringLiteral("AFTER ENTERING PO No. CLICK IT TO ENABLE ALL BOXES.."));
  client_ = makeTextBox(this, QStringLiteral("txtclient"), QStringLiteral("NAME OF PARTY"));
  number_ = makeTextBox(this, QStringLiteral("txtinvnuminv"),
                        QStringLiteral("IF INVOICE/CHALLAN No. IS NOT SAME..AFTER WRITING INVOICE No. GO TO CHALLAN BOX "
                                       "AND WRITE NEW CHALLAN No."));
  challan_ = makeTextBox(this, QStringLiteral("txtchallannum"), QStringLiteral("CHALLAN No. GENERALLY SAME AS INVOICE No."));
  dates_ = new QGroupBox(this);
  dates_->setObjectName(QStringLiteral("framedate"));
  calendar_ = makeCalendar(dates_, QStringLiteral("calinvdateinv"),
                           QStringLiteral("select date from calendar and click in the appropriate box.."));
  date_ = makeTextBox(dates_, QStringLiteral("txtinvoicedate"), QStringLiteral("ISSUE DATE OF INVOICE"));
  challanDate_ = makeTextBox(dates_, QStringLiteral("txtchallandate"), QStringLiteral("ISSUE DATE OF CHALLAN"));
  dueDate_ = makeTextBox(dates_, QStringLiteral("txtinvduedate"), QStringLiteral("DATE TILL WHICH PAYMENT SHOUD COME.."));
  notApplicable_ = makeButton(dates_, QStringLiteral("cmdnotappinv"), QStringLiteral("NOT APPLICABLE"),
                              QStringLiteral("IF DATE IS NOT KNOWN CLICK IT..."));
  amount_ = makeTextBox(this, QStringLiteral("txtinvoiceamount"),
                        QStringLiteral("REQUIRED AMOUNT FROM THE PARTY FOR SELLING PRODUCT.."));
  edit_ = makeButton(this, QStringLiteral("cmditemedit"), QStringLiteral("EDIT??"), QString());
  loginBox_ = makeTextBox(this, QStringLiteral("txtlogininv"), QString());
  save_ = makeButton(this, QStringLiteral("cmdsaveinv"), QStringLiteral("   SAVE DATA          and       CLOSE FORM"),
                     QStringLiteral("CLICK IT AFTER DOING ALL DATA ENTRY..."));

  limitTextLength(order_, textLimit(kTable, QStringLiteral("ponum")));
  limitTextLength(client_, textLimit(kTable, QStringLiteral("client")));
  limitTextLength(number_, textLimit(kTable, QStringLiteral("invoicenum")));
  limitTextLength(challan_, textLimit(kTable, QStringLiteral("challannum")));
  setControlsEnabled({client_, number_, challan_, dates_, amount_, edit_, loginBox_, save_}, false);
}

void frminvoicechallan::layOut() {
  auto* dates = new QGridLayout(dates_);
  dates->addWidget(calendar_, 0, 0, 1, 3);
  dates->addWidget(makeLabelFor(dates_, QStringLiteral("INVOICE DATE"), date_), 1, 0);
  dates->addWidget(date_, 1, 1);
  dates->addWidget(makeLabelFor(dates_, QStringLiteral("CHALLAN DATE"), challanDate_), 2, 0);
  dates->addWidget(challanDate_, 2, 1);
  dates->addWidget(makeLabelFor(dates_, QStringLiteral("INVOICE DUE DATE"), dueDate_), 3, 0);
  dates->addWidget(dueDate_, 3, 1);
  dates->addWidget(notApplicable_, 3, 2);
  nameForReaders(calendar_, QStringLiteral("invoice calendar"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabel(this, QStringLiteral("INVOICE/CHALLAN FORM")), 0, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("PO Number"), order_), 1, 0);
  grid->addWidget(order_, 1, 1);
  grid->addWidget(show_, 1, 2);
  grid->addWidget(makeLabelFor(this, QStringLiteral("Client"), client_), 2, 0);
  grid->addWidget(client_, 2, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("INVOICE No."), number_), 3, 0);
  grid->addWidget(number_, 3, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("CHALLAN No."), challan_), 4, 0);
  grid->addWidget(challan_, 4, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("Invoice Amount"), amount_), 5, 0);
  grid->addWidget(amount_, 5, 1);
  grid->addWidget(dates_, 1, 3, 6, 1);
  grid->addWidget(block(), 7, 0, 1, 4);
  grid->addWidget(edit_, 8, 0, Qt::AlignLeft);
  grid->addWidget(loginBox_, 9, 0, Qt::AlignLeft);
  grid->addWidget(save_, 9, 3);
  grid->setRowStretch(6, 1);
  nameForReaders(loginBox_, QStringLiteral("CURRENT LOGIN NAME"));
}

void frminvoicechallan::connectHandlers() {
  connectGuarded(show_, &QPushButton::clicked, this, [this] { showPressed(); });
  upperCaseTypedKeys(number_);
  upperCaseTypedKeys(challan_);
  // The challan usually carries the invoice's number; a different one is typed after it.
  connect(number_, &QLineEdit::textChanged, challan_, [this](const QString& text) {
    if (!text.isEmpty()) challan_->setText(text);
  });
  onDateBoxClicked(date_, calendar_, [this](QDate day) {
    answerRow().setValue(QStringLiteral("invoicedate"), day);
    answerRow().setValue(QStringLiteral("challandate"), day);
    challanDate_->setText(day.toString(QStringLiteral("dd/MM/yy")));
  });
  onDateBoxClicked(challanDate_, calendar_,
                   [this](QDate day) { answerRow().setValue(QStringLiteral("challandate"), day); });
  onDateBoxClicked(dueDate_, calendar_,
                   [this](QDate day) { answerRow().setValue(QStringLiteral("invoiceduedate"), day); });
  connectGuarded(notApplicable_, &QPushButton::clicked, this, [this] {
    dueDate_->clear();
    answerRow().setValue(QStringLiteral("invoiceduedate"), QVariant());
  });
  makeAmountBox(amount_, kAmount);
  useEditButton(edit_);
}

void frminvoicechallan::showPressed() {
  if (!loadParent(order_->currentText(), {QStringLiteral("Please choose or write PO Number"),
                                          QStringLiteral("Please choose Existing PO  Number From PO number List")}))
    return;
  showClientIn(client_);
  setControlsEnabled({edit_, client_, number_, challan_, amount_, dates_, save_}, true);
}

void frminvoicechallan::takeBoxes() {
  const QString number = number_->text();
  requireNumberWritten(number, QStringLiteral("INVOICE NUMBER"));
  answerRow().setValue(QStringLiteral("invoiceamount"), boxAmount(amount_->text(), kAmount));
  answerRow().setValue(QStringLiteral("challannum"), boxText(challan_->text()));
  takeAnswer(number, boxText(client_->text()));
}
