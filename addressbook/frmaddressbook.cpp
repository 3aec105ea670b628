#include "addressbook/frmaddressbook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "store/documentchain.h"
#include "store/queries/documentqueries.h"
#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"
#include "toolkit/refusal.h"

namespace {

const QString kTable = QStringLiteral("taddressbook");

struct ListEntry {
  const char* name;
  const char* label;
  const char* tooltip;
  const char* listName;
  const char* column;
  const char* whenEmpty;
};

// Inquiry and company first: SHOW checks them, and the others open with it.
constexpr ListEntry kLists[] = {
    {"datainqnumaddbk", "INQUIRY No.", "Choose/Write inquiry number as was written in inquiry form", "adinqnumaddbook",
     "inqnum", "Please fill inquiry number"},
    {"dataclientaddbk", "COMPANY", "Choose/Write name of party as was written inquiry form", "adclientaddbook", "client",
     "Please fill client name"},
    {"datacomarea", "AREA", "AREA FROM WHICH PARTY BELONGS TO...", "adarea", "area", "Please fill AREA name"},
    {"datacomstate", "STATE", "", "adstate", "state", "Please fill state name"},
};

struct BoxEntry {
  const char* name;
  const char* label;
  const char* tooltip;
  const char* column;
};

constexpr BoxEntry kBoxes[] = {
    {"taddressaddbk", "ADDRESS", "WRITE ADDRESS OF PARTY", "address"},
    {"tconpersonaddbk", "CONTACT PERSON", "", "contactperson"},
    {"tdesigaddbk", "DESIGNATION", "DESIGNATION OF CONTACT PERSON", "designation"},
    {"tphoneaddbk", "Telephone(Land Line)", "PLEASE WRITE WITH STD CODE IN FORMAT (STD/Ph No.)", "telephonelandline"},
    {"tmobaddbk", "Mobile No.", "", "mobile"},
    {"tfaxaddbk", "FAX No.", "", "fax"},
    {"tprienggaddbk", "PRINCIPAL ENGINEER", "TECHNICAL PERSON DEALING WITH PARTY", "principalengg"},
    {"temailaddbk", "e-mail address", "", "email"},
    {"twebadbk", "web site", "", "website"},
};

// Where each list's values come from.
QString listSource(const ListEntry& entry, const SqlDialect& dialect) {
  const QString column = QString::fromLatin1(entry.column);
  if (column == QLatin1String("inqnum")) return openParentsList(Step::AddressBook);
  // The states are those already used in the address book; the rest come from the inquiries.
  const QString table = column == QLatin1String("state") ? kTable : QStringLiteral("tinquiry");
  return documentqueries::distinctValues(table, column, dialect);
}

}  // namespace

frmaddressbook::frmaddressbook(FormHost& host)
    : EntryForm(QStringLiteral("frmaddressbook"), QStringLiteral("Address Book Form"), host) {
  buildControls();
  layOut();
  contact_ = newRow(kTable);
  login_->setText(loginName());
  connectGuarded(show_, &QPushButton::clicked, this, [this] { showPressed(); });
  useSaveButton(save_);
}

void frmaddressbook::buildControls() {
  for (const ListEntry& entry : kLists) {
    auto* list = new ListModel(connection(), listSource(entry, connection().dialect()), this);
    list->setObjectName(QString::fromLatin1(entry.listName));
    QComboBox* combo = makeListCombo(this, QString::fromLatin1(entry.name), QString::fromLatin1(entry.tooltip), list);
    const QString column = QString::fromLatin1(entry.column);
    limitTextLength(combo, textLimit(kTable, column));
    const QString whenEmpty = QString::fromLatin1(entry.whenEmpty);
    onFocusLeave(combo, [combo, whenEmpty] {
      if (combo->currentText().isEmpty()) tell(whenEmpty, QStringLiteral("ALERT!"));
    });
    lists_ << ListBox{combo, column};
  }
  inquiry_ = lists_[0].combo;
  company_ = lists_[1].combo;
  for (const BoxEntry& entry : kBoxes) {
    QLineEdit* box = makeTextBox(this, QString::fromLatin1(entry.name), QString::fromLatin1(entry.tooltip));
    limitTextLength(box, textLimit(kTable, QString::fromLatin1(entry.column)));
    boxes_ << Box{box, QString::fromLatin1(entry.column)};
  }
  login_ = makeTextBox(this, QStringLiteral("tlogin"), QString());
  show_ = makeButton(this, QStringLiteral("cmdshow"), QStringLiteral("SHOW"), QStringLiteral("CLICK IT TO ENABLE ALL TEXT BOXES."));
  save_ = makeButton(this, QStringLiteral("comsaveaddbook"), QStringLiteral("SAVE DATA   and   CLOSE FORM"),
                     QStringLiteral("CLICK THIS BUTTON AFTER COMPLETING DATA ENTRY"));

  for (int i = 2; i < lists_.size(); ++i) lists_[i].combo->setEnabled(false);
  for (const Box& b : boxes_) b.box->setEnabled(false);
  setControlsEnabled({login_, save_}, false);
}

void frmaddressbook::layOut() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")), 0, 0);
  grid->addWidget(makeLabel(this, QStringLiteral("ADDRESS BOOK")), 0, 1);
  int row = 1;
  const auto addRow = [&](QWidget* control, const char* label) {
    grid->addWidget(makeLabelFor(this, QString::fromLatin1(label), control), row, 0);
    grid->addWidget(control, row++, 1);
  };
  addRow(inquiry_, kLists[0].label);
  grid->addWidget(show_, 1, 2);
  addRow(company_, kLists[1].label);
  addRow(boxes_[0].box, kBoxes[0].label);
  addRow(lists_[2].combo, kLists[2].label);
  addRow(lists_[3].combo, kLists[3].label);
  for (int i = 1; i < boxes_.size(); ++i) addRow(boxes_[i].box, kBoxes[i].label);
  grid->addWidget(login_, row, 0);
  grid->addWidget(save_, row, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row + 1, 1);  // a taller window leaves the room below
  grid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 40);  // an address reads whole
  nameForReaders(login_, QStringLiteral("CURRENT LOGIN NAME"));
}

void frmaddressbook::showPressed() {
  if (!documentqueries::holdsValue(connection(), QStringLiteral("tinquiry"), QStringLiteral("client"), company_->currentText())) {
    tell(QStringLiteral("Please Choose Existing Company Name From List "), QStringLiteral("ALERT!"));
    return;
  }
  if (inquiry_->currentText().isEmpty()) {
    tell(QStringLiteral("Please Choose Inquiry Number From List"), QStringLiteral("ALERT!"));
    return;
  }
  if (!isOpenParent(connection(), Step::AddressBook, inquiry_->currentText())) {
    tell(QStringLiteral("Please Choose Existing Inquiry Number From List"), QStringLiteral("ALERT!"));
    return;
  }
  for (const ListBox& list : lists_) list.combo->setEnabled(true);
  for (const Box& b : boxes_) b.box->setEnabled(true);
  save_->setEnabled(true);
  setShown();
}

void frmaddressbook::takeBoxes() {
  requireNumberWritten(inquiry_->currentText(), QStringLiteral("INQUIRY NUMBER"));
  for (const ListBox& list : lists_) contact_.setValue(list.column, boxText(list.combo->currentText()));
  for (const Box& b : boxes_) contact_.setValue(b.column, boxText(b.box->text()));
}

void frmaddressbook::checkAtCommit() {
  // Another window may have saved this inquiry's contact since SHOW.
  if (isOpenParent(connection(), Step::AddressBook, inquiry_->currentText())) return;
  throw Refusal{QStringLiteral("Inquiry No. %1 has no place for a new address book entry: it already has one (saved in "
                               "another window), or no such inquiry is stored. Nothing was saved.")
                    .arg(inquiry_->currentText()),
                QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
}

void frmaddressbook::writeRows() { contact_.updateBatch(); }

void frmaddressbook::dropRows() { contact_.close(); }
