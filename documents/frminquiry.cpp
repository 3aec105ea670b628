#include "documents/frminquiry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "documents/rowwrites.h"
#include "store/documentqueries.h"
#include "store/transaction.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"

namespace {
const QString kCalendarTip = QStringLiteral(
    "USE THIS CALENDAR..ONLY BLUE COLOURED No. ARE  OF THE MONTH  SHOWN AT LEFT OF CALENDAR...NEVER USE  GREY "
    "COLOUR No. FOR DESIRED  DATE");
}

frminquiry::frminquiry(FormHost& host)
    : DocumentForm(QStringLiteral("frminquiry"), QStringLiteral("INQUIRY FORM"), host, inquiryBlockTexts()) {
  buildControls();

  const QDate today = QDate::currentDate();
  inquiry_ = RecordSet::openForAppend(connection(), QStringLiteral("tinquiry"));
  inquiry_.addNew();
  inquiry_.setValue(QStringLiteral("logindate"), today);
  login_->setText(loginName());
  inquiry_.setValue(QStringLiteral("login"), loginName());
  item_ = RecordSet::openForAppend(connection(), QStringLiteral("titeminq"));
  item_.addNew();
  item_.setValue(QStringLiteral("logindate"), today);
  item_.setValue(QStringLiteral("login"), loginName());
  block()->attach(&item_);
  summary_ = RecordSet::openForAppend(connection(), QStringLiteral("titemdescom"));
  summary_.addNew();

  connectHandlers();
  useSaveButton(save_);
}

void frminquiry::buildControls() {
  auto list = [this](const QString& name, const QString& column) {
    auto* model = new ListModel(connection(), documentqueries::distinctValues(QStringLiteral("tinquiry"), column), this);
    model->setObjectName(name);
    return model;
  };
  number_ = makeListCombo(this, QStringLiteral("datacominqno"),
                          QStringLiteral("INQUIRY No. ENTER AS GIVEN BY PARTY...IF NOT GIVEN ENTER SOME CODE WHICH IS "
                                         "RELEVENT TO PARTY...AND WRITE IT ON A COPY WITH PARTY NAME/DATE"),
                          list(QStringLiteral("adinqno"), QStringLiteral("inqnum")));
  show_ = makeButton(this, QStringLiteral("cmdshow"), QStringLiteral("SHOW"),
                     QStringLiteral("CLICK TO ENABLE ALL BOXES...UNTILL UNIQE INQUIRY No. IS NOT ENTERED  BOXES WILL "
                                    "NOT ENABLED.."));
  client_ = makeListCombo(this, QStringLiteral("datacomclient"), QStringLiteral("PARTY NAME"),
                          list(QStringLiteral("adclient"), QStringLiteral("client")));
  area_ = makeListCombo(this, QStringLiteral("datacomarea"), QStringLiteral("AREA FROM WHICH PARTY BELONGS TO..."),
                        list(QStringLiteral("adarea"), QStringLiteral("area")));
  inquiryCalendar_ = makeCalendar(this, QStringLiteral("calinqdate"), QStringLiteral("TO SELECT INQUIRY DATE ") + kCalendarTip);
  inquiryDate_ = makeTextBox(this, QStringLiteral("txtinqdate"), QStringLiteral("SHOWS SELECTED INQUIRY DATE"));
  dueCalendar_ = makeCalendar(this, QStringLiteral("calinqdue"), QStringLiteral("TO SELECT INQUIRY DUE DATE ") + kCalendarTip);
  dueDate_ = makeTextBox(this, QStringLiteral("txtinqduedate"), QStringLiteral("SHOWS SELECTED INQUIRY DUE DATE"));
  notApplicable_ = makeButton(this, QStringLiteral("comnotappduedate"), QStringLiteral("Not Applicable"),
                              QStringLiteral("CLICK IT IF INQUIRY DUE DATE IS NOT KNOWN..."));
  rate_ = makeTextBox(this, QStringLiteral("txtbudrateinq"),
                      QStringLiteral("WRITE ASSUMED COST OF ALL REQUIRED ITEM...USE DIGITS ONLY.."));
  login_ = makeTextBox(this, QStringLiteral("txtlogininq"), QStringLiteral("SHOWS CURRENT LOGIN NAME."));
  save_ = makeButton(this, QStringLiteral("cmdsaveinq"), QStringLiteral("SAVE DATA  and  CLOSE FORM"),
                     QStringLiteral("CLICK IT AFTER DOING ALL DATA ENTRY FOR THIS PERTICULAR FORM"));

  setControlsEnabled({client_, area_, inquiryDate_, dueDate_, notApplicable_, rate_, login_, save_}, false);
  inquiryCalendar_->hide();
  dueCalendar_->hide();

  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabel(this, QStringLiteral("INQUIRY No.")), 1, 0);
  grid->addWidget(number_, 1, 1);
  grid->addWidget(show_, 1, 2);
  grid->addWidget(makeLabel(this, QStringLiteral("CLIENT ")), 2, 0);
  grid->addWidget(client_, 2, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("AREA")), 3, 0);
  grid->addWidget(area_, 3, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("INQUIRY DATE")), 4, 0);
  grid->addWidget(inquiryDate_, 4, 1);
  grid->addWidget(inquiryCalendar_, 5, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("DUE DATE")), 4, 2);
  grid->addWidget(dueDate_, 4, 3);
  grid->addWidget(notApplicable_, 4, 4);
  grid->addWidget(dueCalendar_, 5, 3, 1, 2);
  grid->addWidget(makeLabel(this, QStringLiteral("BUDGETARY RATE")), 6, 0);
  grid->addWidget(rate_, 6, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("PRODUCT REQUIRED")), 7, 0);
  grid->addWidget(block(), 8, 0, 1, 5);
  grid->addWidget(login_, 9, 0);
  grid->addWidget(save_, 9, 3, 1, 2);
}

void frminquiry::connectHandlers() {
  upperCaseTypedKeys(number_);
  onFocusLeave(number_, [this] { numberLeft(); });
  connectGuarded(show_, &QPushButton::clicked, this, [this] { show(); });
  onFocusLeave(client_, [this] { headerLeft(client_, QStringLiteral("client"), QStringLiteral("Please fill Client Name")); });
  onFocusLeave(area_, [this] { headerLeft(area_, QStringLiteral("area"), QStringLiteral("Please fill AREA Name")); });
  onDatePicked(inquiryCalendar_, inquiryDate_, {&inquiry_, &item_}, QStringLiteral("inqdate"));
  onDatePicked(dueCalendar_, dueDate_, {&inquiry_}, QStringLiteral("inqduedate"));
  connectGuarded(notApplicable_, &QPushButton::clicked, this, [this] {
    dueDate_->clear();
    inquiry_.setValue(QStringLiteral("inqduedate"), QVariant());
  });
  warnOnNonDigitKeys(rate_);
  onFocusLeave(rate_, [this] {
    writeWholeNumber(inquiry_, QStringLiteral("brate"), rate_->text(), QStringLiteral("BUDGETARY RATE"));
  });
}

void frminquiry::writeNumber(const QString& number) {
  const QVariant value = number.isEmpty() ? QVariant() : QVariant(number);
  for (RecordSet* row : {&inquiry_, &item_, &summary_}) row->setValue(QStringLiteral("inqnum"), value);
}

void frminquiry::numberLeft() {
  const QString number = number_->currentText().toUpper();
  if (number.isEmpty()) {
    writeNumber(number);
    tell(QStringLiteral("Please fill Inquiry Number"), QStringLiteral("ALERT!"));
    return;
  }
  number_->setEditText(number);
  writeNumber(number);
}

void frminquiry::show() {
  number_->setEditText(number_->currentText().toUpper());
  const QString number = number_->currentText();
  if (!number.isEmpty() && documentqueries::inquiryExists(connection(), number)) {
    tell(QStringLiteral("This Inquiry No. already exist..Please Write New Inquiry Number ..."), QStringLiteral("ALERT!"));
    return;
  }
  if (number.isEmpty()) {
    tell(QStringLiteral("Please Write Inquiry Number First..."), QStringLiteral("ALERT!"));
    return;
  }
  setControlsEnabled({client_, area_, inquiryDate_, dueDate_, notApplicable_, block(), rate_, save_}, true);
  inquiryCalendar_->setVisible(true);
  dueCalendar_->setVisible(true);
}

void frminquiry::headerLeft(QComboBox* box, const QString& column, const QString& emptyMessage) {
  writeToRows({&inquiry_, &item_}, column, box->currentText());
  if (box->currentText().isEmpty()) tell(emptyMessage, QStringLiteral("ALERT!"));
}

bool frminquiry::saveRows() {
  const QString number = number_->currentText().toUpper();
  if (number.isEmpty()) {
    tell(QStringLiteral("WRITE INQUIRY NUMBER otherwise Data will not be saved.."), QStringLiteral("ALERT!!!"),
         Prompter::Icon::Error);
    return false;
  }
  // The number may have changed since SHOW tested it.
  if (documentqueries::inquiryExists(connection(), number)) {
    tell(QStringLiteral("This Inquiry No. already exist..Please Write New Inquiry Number ..."), QStringLiteral("ALERT!"));
    return false;
  }
  const ItemSummary summary = block()->buildSummary();
  if (!checkTotalQuantity(summary)) return false;

  writeNumber(number);
  {
    Transaction all(connection());
    inquiry_.updateBatch();
    item_.updateBatch();
    writeSummary(summary_, summary);
    summary_.updateBatch();
    all.commit();
  }
  tell(QStringLiteral("If this is new client , Please fillup address book from main form  "));
  return true;
}

void frminquiry::dropRows() {
  inquiry_.close();
  item_.close();
  summary_.close();
}
