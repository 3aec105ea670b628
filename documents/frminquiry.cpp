#include "documents/frminquiry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "store/documentchain.h"
#include "store/queries/documentqueries.h"
#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"

namespace {
const QString kCalendarTip = QStringLiteral(
    "USE THIS CALENDAR..ONLY BLUE COLOURED No. ARE  OF THE MONTH  SHOWN AT LEFT OF CALENDAR...NEVER USE  GREY "
    "COLOUR No. FOR DESIRED  DATE");
const QString kNumberExists = QStringLiteral("This Inquiry No. already exist..Please Write New Inquiry Number ...");
const QString kTable = QStringLiteral("tinquiry");

void warnIfEmpty(QComboBox* box, const QString& message) {
  if (box->currentText().isEmpty()) tell(message, QStringLiteral("ALERT!"));
}
}  // namespace

frminquiry::frminquiry(FormHost& host)
    : DocumentForm(QStringLiteral("frminquiry"), QStringLiteral("INQUIRY FORM"), host, inquiryBlockTexts()) {
  buildControls();
  layOut();

  inquiry_ = newRow(kTable);
  login_->setText(loginName());
  item_ = newRow(QStringLiteral("titeminq"));
  summary_ = RecordSet::openForAppend(connection(), QStringLiteral("titemdescom"));
  summary_.addNew();

  connectHandlers();
  useSaveButton(save_);
}

void frminquiry::buildControls() {
  auto list = [this](const QString& name, const QString& column) {
    auto* model = new ListModel(connection(), documentqueries::distinctValues(kTable, column, connection().dialect()), this);
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

  limitTextLength(number_, textLimit(kTable, QStringLiteral("inqnum")));
  limitTextLength(client_, textLimit(kTable, QStringLiteral("client")));
  limitTextLength(area_, textLimit(kTable, QStringLiteral("area")));
  setControlsEnabled({client_, area_, inquiryDate_, dueDate_, notApplicable_, rate_, login_, save_}, false);
  inquiryCalendar_->hide();
  dueCalendar_->hide();
}

void frminquiry::layOut() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabelFor(this, QStringLiteral("INQUIRY No."), number_), 1, 0);
  grid->addWidget(number_, 1, 1);
  grid->addWidget(show_, 1, 2);
  grid->addWidget(makeLabelFor(this, QStringLiteral("CLIENT "), client_), 2, 0);
  grid->addWidget(client_, 2, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("AREA"), area_), 3, 0);
  grid->addWidget(area_, 3, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("INQUIRY DATE"), inquiryDate_), 4, 0);
  grid->addWidget(inquiryDate_, 4, 1);
  grid->addWidget(inquiryCalendar_, 5, 1);
  grid->addWidget(makeLabelFor(this, QStringLiteral("DUE DATE"), dueDate_), 4, 2);
  grid->addWidget(dueDate_, 4, 3);
  grid->addWidget(notApplicable_, 4, 4);
  grid->addWidget(dueCalendar_, 5, 3, 1, 2);
  grid->addWidget(makeLabelFor(this, QStringLiteral("BUDGETARY RATE"), rate_), 6, 0);
  grid->addWidget(rate_, 6, 1);
  grid->addWidget(makeLabel(this, QStringLiteral("PRODUCT REQUIRED")), 7, 0);
  grid->addWidget(block(), 8, 0, 1, 5);
  grid->addWidget(login_, 9, 0);
  grid->addWidget(save_, 9, 3, 1, 2);
  // A wider window widens the boxes and the item lines; a taller one leaves the room below.
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(10, 1);
  nameForReaders(inquiryCalendar_, QStringLiteral("INQUIRY DATE CALENDAR"));
  nameForReaders(dueCalendar_, QStringLiteral("DUE DATE CALENDAR"));
  nameForReaders(login_, QStringLiteral("CURRENT LOGIN NAME"));
}

void frminquiry::connectHandlers() {
  upperCaseTypedKeys(number_);
  onFocusLeave(number_, [this] { numberLeft(); });
  connectGuarded(show_, &QPushButton::clicked, this, [this] { showPressed(); });
  onFocusLeave(client_, [this] { warnIfEmpty(client_, QStringLiteral("Please fill Client Name")); });
  onFocusLeave(area_, [this] { warnIfEmpty(area_, QStringLiteral("Please fill AREA Name")); });
  onDatePicked(inquiryCalendar_, inquiryDate_, [this](QDate day) {
    inquiry_.setValue(QStringLiteral("inqdate"), day);
    item_.setValue(QStringLiteral("inqdate"), day);
  });
  onDatePicked(dueCalendar_, dueDate_, [this](QDate day) { inquiry_.setValue(QStringLiteral("inqduedate"), day); });
  connectGuarded(notApplicable_, &QPushButton::clicked, this, [this] {
    dueDate_->clear();
    inquiry_.setValue(QStringLiteral("inqduedate"), QVariant());
  });
  makeAmountBox(rate_, QStringLiteral("BUDGETARY RATE"));
}

QString frminquiry::number() const { return number_->currentText().toUpper(); }

void frminquiry::numberLeft() {
  if (number().trimmed().isEmpty()) {
    tell(QStringLiteral("Please fill Inquiry Number"), QStringLiteral("ALERT!"));
    return;
  }
  number_->setEditText(number());
}

void frminquiry::showPressed() {
  number_->setEditText(number());
  if (number().trimmed().isEmpty()) {
    tell(QStringLiteral("Please Write Inquiry Number First..."), QStringLiteral("ALERT!"));
    return;
  }
  if (numberTaken(connection(), kTable, QStringLiteral("inqnum"), number())) {
    tell(kNumberExists, QStringLiteral("ALERT!"));
    return;
  }
  setControlsEnabled({client_, area_, inquiryDate_, dueDate_, notApplicable_, block(), rate_, save_}, true);
  inquiryCalendar_->setVisible(true);
  dueCalendar_->setVisible(true);
  setShown();
}

void frminquiry::takeBoxes() {
  requireNumberWritten(number(), QStringLiteral("INQUIRY NUMBER"));
  const QVariant rate = boxAmount(rate_->text(), QStringLiteral("BUDGETARY RATE"));
  const ItemLines lines = block()->lines();
  const ItemSummary summary = lines.summary();
  requireTotalFits(summary);

  number_->setEditText(number());
  for (RecordSet* row : {&inquiry_, &item_, &summary_}) row->setValue(QStringLiteral("inqnum"), number());
  for (RecordSet* row : {&inquiry_, &item_}) {
    row->setValue(QStringLiteral("client"), boxText(client_->currentText()));
    row->setValue(QStringLiteral("area"), boxText(area_->currentText()));
  }
  inquiry_.setValue(QStringLiteral("brate"), rate);
  item_.setValues(lines.columns());
  summary_.setValues(summary.columns());
}

void frminquiry::checkAtCommit() { requireNumberUnused(kTable, QStringLiteral("inqnum"), number(), kNumberExists); }

void frminquiry::writeRows() {
  inquiry_.updateBatch();
  item_.updateBatch();
  summary_.updateBatch();
}

void frminquiry::afterSave() { tell(QStringLiteral("If this is new client , Please fillup address book from main form  ")); }

void frminquiry::dropRows() {
  inquiry_.close();
  item_.close();
  summary_.close();
}
