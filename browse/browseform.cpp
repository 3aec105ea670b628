#include "browse/browseform.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/connection.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

BrowseForm::BrowseForm(const QString& formName, const QString& title, const QString& heading, const QString& coverName,
                       const QString& coverCaption, FormHost& host)
    : FormBase(formName), connection_(Connection::open(host.databasePath())) {
  setWindowTitle(title);
  setCloseRule(CloseRule::useCloseButton());
  setPlacement(Placement::Filling);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, heading, QStringLiteral("Label8")));
  body_ = new QVBoxLayout;
  layout->addLayout(body_, 1);
  bars_ = new QStackedWidget(this);
  // The button has the bars' place and size: in front, it covers them.
  cover_ = makeButton(bars_, coverName, coverCaption, QString());
  bars_->addWidget(cover_);
  layout->addWidget(bars_);
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  setCloseButton(close);
  // A correction still in its row is written first; if it is refused, the form stays open with it.
  connectGuarded(close, &QPushButton::clicked, this, [this] {
    if (writeAllChanges()) closeByOwnPath();
  });
  layout->addWidget(close);
}

BrowseForm::~BrowseForm() = default;

BrowseList& BrowseForm::addList(const ViewDefinition& definition, QTabWidget* tabs) {
  lists_.push_back(std::make_unique<BrowseList>(definition, tabs, bars_));
  return *lists_.back();
}

void BrowseForm::coverBars() { bars_->setCurrentWidget(cover_); }

BrowseList* BrowseForm::showListOfTab(const std::vector<BrowseList*>& lists, int tab) {
  if (tab < 0 || tab >= int(lists.size())) {
    coverBars();
    return nullptr;
  }
  BrowseList* list = lists[size_t(tab)];
  list->focusBar();
  list->read(connection());
  return list;
}

bool BrowseForm::writeAllChanges() {
  bool all = true;
  for (const auto& list : lists_) all = list->writeChanges() && all;
  return all;
}
