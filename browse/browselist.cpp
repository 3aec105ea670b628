#include "browse/browselist.h"

#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "browse/viewdefinitions.h"
#include "store/viewqueries.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/querytablemodel.h"
#include "toolkit/viewgrid.h"

QString orderTooltip(const ViewDefinition& definition) {
  QStringList terms;
  for (const SortTerm& term : viewQuery(QString::fromLatin1(definition.dataControl)).order)
    for (const GridColumn& column : definition.columns)
      if (column.field == term.column) {
        terms << QStringLiteral("%1 (%2)").arg(column.caption.trimmed(),
                                               term.descending ? QStringLiteral("DESCENDING") : QStringLiteral("ASCENDING"));
        break;
      }
  return QStringLiteral("SHOWS RECORDS SORTED BY ") + terms.join(QStringLiteral(", THEN BY "));
}

BrowseList::BrowseList(const ViewDefinition& definition, QTabWidget* tabs, QStackedWidget* bars)
    : definition_(definition), bars_(bars) {
  auto* page = new QWidget(tabs);
  auto* layout = new QVBoxLayout(page);
  const QString tooltip = *definition.tooltip ? QString::fromLatin1(definition.tooltip) : orderTooltip(definition);
  grid_ = new ViewGrid(QString::fromLatin1(definition.grid), tooltip, page);
  nameForReaders(grid_, QString::fromLatin1(definition.caption).trimmed());
  layout->addWidget(grid_);
  tabs->addTab(page, QString::fromLatin1(definition.tab));
  bar_ = new DataControl(QString::fromLatin1(definition.dataControl), grid_, bars);
  bars->addWidget(bar_);
}

void BrowseList::read(Connection& connection, const KeySnapshot* asOf) {
  if (model_) {
    model_->refresh();
    grid_->fitColumns();
    return;
  }
  const SortedQuery query = viewQuery(QString::fromLatin1(definition_.dataControl));
  model_ = new QueryTableModel(connection, asOf ? ::asOf(query, *asOf) : query, definition_.columns, grid_);
  grid_->setModel(model_);
  bar_->bindModel();
  grid_->fitColumns();
}

void BrowseList::focusBar() {
  bars_->setCurrentWidget(bar_);
  bar_->setFocus();
}
