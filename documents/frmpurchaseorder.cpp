#include "documents/frmpurchaseorder.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "documents/orderfilespanel.h"
#include "documents/orderterms.h"
#include "documents/stockstatusframe.h"
#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"

namespace {
const QString kTable = QStringLiteral("tpo");
}

frmpurchaseorder::frmpurchaseorder(FormHost& host)
    : AnsweringForm(QStringLiteral("frmpurchaseorder"), QStringLiteral("PURCHASE ORDER FORM"), host,
                    purchaseOrderBlockTexts(), Step::Order,
                    {kTable, QStringLiteral("ponum"), QStringLiteral("login"),
                     // The invoice finds its transaction by this number: another order with it
                     // would attach the invoice to the wrong deal.
                     QStringLiteral("This PO No. already exist..Please Write New PO Number ..."),
                     QStringLiteral("Quotation No.")}) {
  buildControls();
  layOut();
  loginBox_->setText(loginName());
  connectHandlers();
  useSaveButton(save_);
}

void frmpurchaseorder::buildControls() {
  quotation_ = makeParentCombo(QStringLiteral("datacomquotenumpo"), QStringLiteral("CHOOSE EXISTING QUOTE No."),
                               QStringLiteral("adquotenumpo"));
  show_ = makeButton(this, QStringLiteral("cmdshowedit"), QStringLiteral("SHOW"),
                     QStringLiteral("TO ACCESS ALL BOXES CLICK IT/ UNTILL NOT WRITE EXISTING QUOTE No. IT WILL NOT WORK."));
  client_ = makeTextBox(this, QStringLiteral("txtclient"), QStringLiteral("PARTY NAME"));
  number_ = makeTextBox(this, QStringLiteral("txtponumpo"), QStringLiteral("PO NUMBER AS GIVEN BY PARTY"));
  calendar_ = makeCalendar(this, QStringLiteral("caldatepo"), QStringLiteral("SELECT DATE AND THEN CLICK AT RELEVANT BELOW BOX.."));
  date_ = makeTextBox(this, QStringLiteral("txtpodate"), QStringLiteral("DATE OF GETTING PURCHASE ORDER"));
  dueDate_ = makeTextBox(this, QStringLiteral("txtpoduedate"), QStringLiteral("PO DUE DATE GIVEN BY PARTY"));
  notApplicable_ = makeButton(this, QStringLiteral("cmdnotapppo"), QStringLiteral("NOT APPLICABLE"), QString());
  terms_ = new OrderTerms(this);
  stock_ = new StockStatusFrame(this);
  files_ = new OrderFilesPanel(this);
  edit_ = makeButton(this, QStringLiteral("cmdedit"), QStringLiteral("EDIT??"),
                     QStringLiteral("CLICK IT IF WANT TO ADD/DELETE/EDIT ITEM INFORMATION..."));
  loginBox_ = makeTextBox(this, QStringLiteral("txtloginpo"), QString());
  save_ = makeButton(this, QStringLiteral("cmdsavepo"), QStringLiteral("  SAVE DATA and  CLOSE FORM"),
                     QStringLiteral("CLICK IT ONLY AFTER COMPLETING DATA ENTRY."));

  limitTextLength(quotation_, textLimit(kTable, QStringLiteral("quotenum")));
  limitTextLength(client_, textLimit(kTable, QStringLiteral("client")));
  limitTextLength(number_, textLimit(kTable, QStringLiteral("ponum")));
  setControlsEnabled({client_, number_, date_, dueDate_, notApplicable_, terms_, stock_, files_, edit_, loginBox_, save_},
                     false);
}

void frmpurchaseorder::layOut() {
  auto* header = new QGridLayout;
  header->addWidget(makeLabelFor(this, QStringLiteral("Quote Number"), quotation_), 0, 0);
  header->addWidget(quotation_, 0, 1);
  header->addWidget(show_, 0, 2);
  header->addWidget(makeLabelFor(this, QStringLiteral("Client"), client_), 1, 0);
  header->addWidget(client_, 1, 1, 1, 2);
  header->addWidget(makeLabelFor(this, QStringLiteral("PO Number"), number_), 2, 0);
  header->addWidget(number_, 2, 1, 1, 2);
  header->addWidget(calendar_, 3, 0, 1, 3);
  header->addWidget(makeLabelFor(this, QStringLiteral("PO Date"), date_), 4, 0);
  header->addWidget(date_, 4, 1);
  header->addWidget(makeLabelFor(this, QStringLiteral("PO Due Date"), dueDate_), 5, 0);
  header->addWidget(dueDate_, 5, 1);
  header->addWidget(notApplicable_, 5, 2);
  nameForReaders(calendar_, QStringLiteral("PO calendar"));
  nameForReaders(notApplicable_, QStringLiteral("PO due date NOT APPLICABLE"));
  nameForReaders(loginBox_, QStringLiteral("CURRENT LOGIN NAME"));

  auto* stock = new QVBoxLayout;
  stock->addWidget(makeLabel(this, QStringLiteral("STOCK STATUS")));
  stock->addWidget(stock_);
  stock->addStretch();

  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabel(this, QStringLiteral("PO  FORM")), 0, 1);
  grid->addLayout(header, 1, 0);
  grid->addWidget(terms_, 1, 1, Qt::AlignTop);
  grid->addLayout(stock, 1, 2);
  grid->addWidget(files_, 2, 0, 1, 3);
  grid->addWidget(block(), 3, 0, 1, 3);
  grid->addWidget(edit_, 4, 0, Qt::AlignLeft);
  grid->addWidget(loginBox_, 5, 0, Qt::AlignLeft);
  grid->addWidget(save_, 5, 2);
}

void frmpurchaseorder::connectHandlers() {
  connectGuarded(show_, &QPushButton::clicked, this, [this] { showPressed(); });
  upperCaseTypedKeys(number_);
  onDateBoxClicked(date_, calendar_, [this](QDate day) { answerRow().setValue(QStringLiteral("podate"), day); });
  onDateBoxClicked(dueDate_, calendar_, [this](QDate day) { answerRow().setValue(QStringLiteral("poduedate"), day); });
  connectGuarded(notApplicable_, &QPushButton::clicked, this, [this] {
    dueDate_->clear();
    answerRow().setValue(QStringLiteral("poduedate"), QVariant());
  });
  useEditButton(edit_);
}

void frmpurchaseorder::showPressed() {
  const QString chosen = quotation_->currentText();
  if (!loadParent(chosen, {QStringLiteral("Please fill Quotation Number"),
                           QStringLiteral("Please Choose Existing Quotation Number From Quotation Number List")}))
    return;
  showClientIn(client_);
  setControlsEnabled({client_, number_, date_, dueDate_, notApplicable_, files_, edit_, stock_, terms_, save_}, true);
}

void frmpurchaseorder::takeBoxes() {
  const QString number = number_->text();
  requireNumberWritten(number, QStringLiteral("PO NUMBER"));
  answerRow().setValues(terms_->columns());
  const ItemLines lines = block()->lines();
  takeAnswer(number, boxText(client_->text()));
  rows().setItem(stock_->columns());
  rows().setItem(files_->columns());
  rows().setSummary({{QStringLiteral("pomanf"), lines.makesToOrder(stock_->inStock())}});
}
