#include "browse/frmeditdata.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "browse/viewdefinitions.h"
#include "store/connection.h"
#include "store/logins.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

namespace {

const char kTabsTooltip[] =
    "when editing not change inquiry/quote/po/invoice number etc.. and when editing use same existing format..if do edit "
    "item description detailed description also needed to edit for same data... ";
const char kFirstBarTooltip[] =
    "CLICKING LEFT MOST ARROW MOVE TO FIRST RECORD..ITS NEARBY ARROW TRANSFER FOCUS ON PREVIUS RECORD FROM EXISTING "
    "RECORD..";
const char kBarTooltip[] =
    "CLICKING LEFT MOST ARROW MOVE TO FIRST RECORD..ITS NEARBY ARROW TRANSFER FOCUS ON PREVIUS RECORD FROM EXISTING "
    "RECORD..AT RIGHT ARROW OPPOSITE TO IT HAPPEN..";
const char kRules[] =
    "QUOTE SEND STATUS (INQUIRY) -->> WRITE YES WHEN THE QUOTATION IS SENT, ELSE NO..\n"
    "ORDER GOT STATUS (QUOTE) -->> WRITE YES WHEN THE ORDER IS RECEIVED, ELSE NO..\n"
    "ORDER EXECUTION STATUS (PO) -->> WRITE YES WHEN THE ORDER IS EXECUTED, ELSE NO..\n"
    "PAYMENT STATUS (INVOICE) -->> WRITE YES WHEN COMPLETE PAYMENT IS RECEIVED, ELSE NO..\n\n"
    "IF DO ANYTHING CHANGE IN  ITEM DESCRIPTION/DETAILED DESCRIPTION   -- CHANGE HAVE TO BE DONE IN BOTH TABLE..\n\n"
    "ALERT!!!  EMPHASIS  SHOULD BE GIVEN  TO ENTER CORRECT  DATA EVERY TIME..SO DATA CHANGING CAN AVOIDED AS MUCH AS "
    "POSSIBLE....USE EXISTING DATA FORMAT  ONLY WHEN EDITING...NEVER  CHANGE INQUIRY NO/ PO NUMBER ETC..IF DO SO  SAME "
    "CHANGE SHOULD BE DONE IN ITEM DESCRIPTION TABLE , DETAILED DESCRIPTION TABLE , AND IN  ADDRESS BOOK TABLE...";

}  // namespace

frmeditdata::frmeditdata(FormHost& host)
    : BrowseForm(QStringLiteral("frmeditdata"), QStringLiteral("EDIT  DATA"), QStringLiteral("DATA EDIT FORM"),
                 QStringLiteral("cmdedit"), QStringLiteral("EDIT  DATA"), host) {
  connection().setAuthor({currentEditLoginName(connection()), QStringLiteral("frmeditdata")});  // who passed the gate
  tabs_ = makeTabs(this, QStringLiteral("SSTab1"));
  tabs_->setToolTip(QString::fromLatin1(kTabsTooltip));
  for (const ViewDefinition& definition : editDataLists()) {
    BrowseList& list = addList(definition, tabs_);
    list.bar()->setFixedCaption(QString::fromLatin1(definition.caption));
    list.bar()->setToolTip(QString::fromLatin1(tables_.empty() ? kFirstBarTooltip : kBarTooltip));
    tables_.push_back(&list);
  }
  auto* help = new QWidget(tabs_);
  auto* helpLayout = new QVBoxLayout(help);
  QLabel* rules = makeLabel(help, QString::fromLatin1(kRules), QStringLiteral("Label1"));
  rules->setWordWrap(true);
  helpLayout->addWidget(rules);
  helpLayout->addStretch();
  tabs_->addTab(help, QStringLiteral("HELP"));
  body()->addWidget(tabs_);
  // Each table is read when its tab is selected, as that reads it again anyway.
  tabs_->setCurrentIndex(int(tables_.size()));
  coverBars();
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { runGuarded([this, tab] { tabSelected(tab); }); });
  // Below CLOSE, so the form's captions, tabs and their order stay as they were.
  auto* changeLog = makeButton(this, QStringLiteral("cmdchangelog"), QStringLiteral("CHANGE LOG"),
                               QStringLiteral("WHO CHANGED WHICH RECORD, WHEN, FROM WHAT TO WHAT"));
  layout()->addWidget(changeLog);
  FormHost* formHost = &host;
  connectGuarded(changeLog, &QPushButton::clicked, this, [this, formHost] {
    if (writeAllChanges()) formHost->show(QStringLiteral("frmchangelog"));  // the last correction included
  });
}

// Leaving a tab leaves its row: corrections are written before anything else.
void frmeditdata::tabSelected(int tab) {
  writeAllChanges();
  showListOfTab(tables_, tab);
}
