#include "browse/frmquery1.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "browse/viewdefinitions.h"
#include "store/queries/pagedquery.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/errorsink.h"

namespace {

QWidget* helpPage(QWidget* parent, const char* text, const QString& labelName) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  if (*text) {
    QLabel* label = makeLabel(page, QString::fromLatin1(text), labelName);
    label->setWordWrap(true);
    layout->addWidget(label);
  }
  layout->addStretch();
  return page;
}

}  // namespace

frmquery1::frmquery1(FormHost& host)
    : BrowseForm(QStringLiteral("frmquery1"), QStringLiteral("QUERY FORM"), QStringLiteral("QUERY  FORM"),
                 QStringLiteral("cmdz"), QStringLiteral("QUERY  DATA"), host),
      openedAt_(std::make_unique<KeySnapshot>(takeKeySnapshot(connection()))) {
  outer_ = makeTabs(this, QStringLiteral("sstabmain"));
  for (const ViewGroup& definition : queryGroups()) {
    Group group{makeTabs(outer_, QString::fromLatin1(definition.tabControl)), {}};
    for (const ViewDefinition& view : definition.views) {
      BrowseList& list = addList(view, group.tabs);
      list.bar()->setFixedCaption(QString::fromLatin1(view.caption));
      group.lists.push_back(&list);
    }
    group.tabs->addTab(helpPage(group.tabs, definition.help, QStringLiteral("Label1")), QStringLiteral("HELP"));
    group.tabs->setCurrentIndex(int(group.lists.size()));
    outer_->addTab(group.tabs, QString::fromLatin1(definition.tab));
    groups_.push_back(group);
  }
  outer_->addTab(helpPage(outer_,
                          "SHOWS  SORTED  DATA IN ASCENDING  OR DESCENDING  ORDER...  TO KNOW DATA ARRANGEMENT FOR "
                          "PERTICULAR TABLE  USE TOOL TIP  i.e.   PLACE MOUSE POINTER ON THAT TABLE  WITHOUT MOVING IT FOR "
                          "A WHILE...",
                          QStringLiteral("Label2")),
                 QStringLiteral("HELP"));
  body()->addWidget(outer_);
  coverBars();
  outer_->setCurrentIndex(int(groups_.size()));
  connect(outer_, &QTabWidget::currentChanged, this, [this](int tab) { runGuarded([this, tab] { outerTabSelected(tab); }); });
  for (Group& group : groups_)
    connect(group.tabs, &QTabWidget::currentChanged, this,
            [this, &group](int tab) { runGuarded([this, &group, tab] { innerTabSelected(group, tab); }); });
}

frmquery1::~frmquery1() = default;

void frmquery1::outerTabSelected(int tab) {
  if (tab < 0 || tab >= int(groups_.size())) return;
  Group& group = groups_[size_t(tab)];
  group.tabs->setCurrentIndex(int(group.lists.size()));
  coverBars();
}

// Each list is read when first shown, as of the form's opening.
void frmquery1::innerTabSelected(Group& group, int tab) {
  if (tab < 0 || tab >= int(group.lists.size())) {
    coverBars();
    return;
  }
  BrowseList& list = *group.lists[size_t(tab)];
  if (!list.isRead()) list.read(connection(), openedAt_.get());
  list.focusBar();
}
