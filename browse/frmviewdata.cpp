#include "browse/frmviewdata.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "browse/viewdefinitions.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/errorsink.h"

frmviewdata::frmviewdata(FormHost& host)
    : BrowseForm(QStringLiteral("frmviewdata"), QStringLiteral("VIEW  DATA  FORM"), QStringLiteral("DATA VIEW FORM"),
                 QStringLiteral("cmdview"), QStringLiteral("VIEW DATA"), host) {
  tabs_ = makeTabs(this, QStringLiteral("SSTab1"));
  for (const ViewDefinition& definition : viewDataLists()) lists_.push_back(&addList(definition, tabs_));
  tabs_->addTab(new QWidget(tabs_), QStringLiteral("HELP"));
  body()->addWidget(tabs_);
  // Each list is read when its tab is selected, as that reads it again anyway.
  tabs_->setCurrentIndex(int(lists_.size()));
  coverBars();
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { runGuarded([this, tab] { tabSelected(tab); }); });
}

void frmviewdata::tabSelected(int tab) {
  if (BrowseList* list = showListOfTab(lists_, tab))
    list->bar()->showTitle(QString::fromLatin1(viewDataLists()[size_t(tab)].caption));
}
