#include "documents/frmquotation.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "documents/rowwrites.h"
#include "store/dberror.h"
#include "store/documentqueries.h"
#include "store/transaction.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"

frmquotation::frmquotation(FormHost& host)
    : DocumentForm(QStringLiteral("frmquotation"), QStringLiteral("QUOTATION FORM"), host, quotationBlockTexts()) {
  buildControls();
  quote_ = RecordSet::openForAppend(connection(), QStringLiteral("tquote"));
  quote_.addNew();
  quote_.setValue(QStringLiteral("logindate"), QDate::currentDate());
  loginBox_->setText(loginName());
  quote_.setValue(QStringLiteral("loginquote"), loginName());
  connectHandlers();
  useSaveButton(save_);
}

void frmquotation::buildControls() {
  auto* unquoted = new ListModel(connection(), documentqueries::unquotedInquiries(), this);
  unquoted->setObjectName(QStringLiteral("adinqnumquote"));
  inquiry_ = makeListCombo(this, QStringLiteral("datacominqnoquote"),
                           QStringLiteral("CHOOSE EXISTING INQUIRY No. FOR PARTY."), unquoted);
  if (inquiry_->count() > 0) inquiry_->setCurrentIndex(0);  // opens on the first inquiry still to quote
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

  setControlsEnabled({client_, number_, date_, rate_, edit_, loginBox_, save_}, false);
  calendar_->hide();

  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabel(this, QStringLiteral("SELECT INQUIRY NO.")), 1, 0);
  grid->addWidget(inquiry_, 1, 1);
  grid->addWidget(show_, 1, 2);
  grid->addWidget(makeLabel(this, QStringLiteral("CLIENT")), 2, 0);
  grid->addWidget(client_, 2, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("Quotation Number")), 3, 0);
  grid->addWidget(number_, 3, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("Date of Quote")), 4, 0);
  grid->addWidget(date_, 4, 1);
  grid->addWidget(calendar_, 5, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("QUOTATION RATE")), 6, 0);
  grid->addWidget(rate_, 6, 1);
  grid->addWidget(edit_, 6, 2);
  grid->addWidget(block(), 7, 0, 1, 4);
  grid->addWidget(loginBox_, 8, 0);
  grid->addWidget(save_, 8, 2, 1, 2);
}

void frmquotation::connectHandlers() {
  upperCaseTypedKeys(inquiry_);
  connectGuarded(show_, &QPushButton::clicked, this, [this] { show(); });
  connect(client_, &QLineEdit::textChanged, this, [this](const QString& text) { runGuarded([&] { clientChanged(text); }); });
  upperCaseTypedKeys(number_);
  connect(number_, &QLineEdit::textChanged, this, [this](const QString& text) { runGuarded([&] { numberChanged(text); }); });
  onDatePicked(calendar_, date_, {&quote_}, QStringLiteral("quotedate"));
  warnOnNonDigitKeys(rate_);
  onFocusLeave(rate_, [this] {
    writeWholeNumber(quote_, QStringLiteral("quoterate"), rate_->text(), QStringLiteral("QUOTATION RATE"));
  });
  connectGuarded(edit_, &QPushButton::clicked, this, [this] {
    block()->setEnabled(true);
    editFlag_ = true;
  });
}

void frmquotation::show() {
  const QString chosen = inquiry_->currentText();
  if (chosen.isEmpty()) {
    tell(QStringLiteral("Please fill Inquiry Number"), QStringLiteral("ALERT!"));
    return;
  }
  if (!documentqueries::isUnquotedInquiry(connection(), chosen)) {
    tell(QStringLiteral("Please Choose Existing Inquiry Number From List"), QStringLiteral("ALERT!"));
    return;
  }
  const QString number = chosen.trimmed();
  const QString condition = documentqueries::numberIs(QStringLiteral("inqnum"));
  RecordSet item = RecordSet::openWhere(connection(), QStringLiteral("titeminq"), condition, {number});
  RecordSet summary = RecordSet::openWhere(connection(), QStringLiteral("titemdescom"), condition, {number});
  if (item.eof() || summary.eof()) {
    tell(QStringLiteral("The item details of inquiry %1 are missing from the database, so it cannot be quoted. "
                        "Please correct it in EDIT DATA first.")
             .arg(number),
         QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
    return;
  }

  // A second SHOW drops what the first one loaded.
  block()->attach(nullptr);
  item_ = std::move(item);
  summary_ = std::move(summary);
  shownInquiry_ = number;
  block()->attach(&item_);
  client_->setText(item_.value(QStringLiteral("client")).toString());
  block()->fillFromItemRow();
  quote_.setValue(QStringLiteral("inqnum"), chosen);
  writeToRows({&quote_}, QStringLiteral("client"), client_->text());
  if (!number_->text().isEmpty()) numberChanged(number_->text());
  item_.setValue(QStringLiteral("logindate"), QDate::currentDate());
  item_.setValue(QStringLiteral("login"), loginName());

  setControlsEnabled({client_, number_, date_, edit_, rate_, save_}, true);
  calendar_->setVisible(true);
}

void frmquotation::clientChanged(const QString& text) {
  if (quote_.isOpen()) writeToRows({&quote_}, QStringLiteral("client"), text);
  if (item_.isOpen()) writeToRows({&item_}, QStringLiteral("client"), text);
}

void frmquotation::numberChanged(const QString& text) {
  if (quote_.isOpen()) writeToRows({&quote_}, QStringLiteral("quotenum"), text);
  if (item_.isOpen()) writeToRows({&item_, &summary_}, QStringLiteral("quotenum"), text);
}

bool frmquotation::saveRows() {
  const QString number = number_->text();
  if (number.isEmpty()) {
    tell(QStringLiteral("WRITE QUOTATION  NUMBER otherwise Data will not be saved.."), QStringLiteral("ALERT!!!"),
         Prompter::Icon::Error);
    return false;
  }
  // The purchase order finds its transaction by this number: it must be unique.
  if (documentqueries::quotationExists(connection(), number)) {
    tell(QStringLiteral("This Quotation No. already exist..Please Write New Quotation Number ..."),
         QStringLiteral("ALERT!"));
    return false;
  }
  ItemSummary summary;
  if (editFlag_) {
    summary = block()->buildSummary();
    if (!checkTotalQuantity(summary)) return false;
  }
  try {
    commit(summary);
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::Conflict) throw;
    tell(QStringLiteral("The items of inquiry %1 were changed in another window after SHOW loaded them, so nothing "
                        "was saved. Press SHOW to load them again.")
             .arg(shownInquiry_),
         QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
    return false;
  }
  return true;
}

void frmquotation::commit(const ItemSummary& summary) {
  Transaction all(connection());
  quote_.updateBatch();
  if (!shownInquiry_.isEmpty()) {
    item_.updateBatch(RecordSet::ConflictCheck::WholeRow);
    if (editFlag_) writeSummary(summary_, summary);
    summary_.updateBatch(RecordSet::ConflictCheck::WholeRow);
    RecordSet inquiry = RecordSet::openWhere(connection(), QStringLiteral("tinquiry"),
                                             documentqueries::numberIs(QStringLiteral("inqnum")), {shownInquiry_});
    if (!inquiry.eof()) {
      inquiry.setValue(QStringLiteral("quotesendstatus"), QStringLiteral("YES"));
      inquiry.updateBatch();
    }
  }
  all.commit();
}

void frmquotation::dropRows() {
  quote_.close();
  item_.close();
  summary_.close();
}
