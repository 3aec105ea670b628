#include "browse/browselist.h"

#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "browse/viewdefinitions.h"
#include "store/queries/viewqueries.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/editablequerymodel.h"
#include "toolkit/prompter.h"
#include "toolkit/querytablemodel.h"
#include "toolkit/viewgrid.h"

QString orderTooltip(const ViewDefinition& definition) {
  QStringList terms;
  for (const SortTerm& term : statedOrder(QString::fromLatin1(definition.dataControl)))
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
  if (definition.table) grid_->allowTyping();
  nameForReaders(grid_, QString::fromLatin1(definition.caption).trimmed());
  layout->addWidget(grid_);
  tabs->addTab(page, QString::fromLatin1(definition.tab));
  bar_ = new DataControl(QString::fromLatin1(definition.dataControl), grid_, bars);
  bars->addWidget(bar_);
}

void BrowseList::read(Connection& connection, const KeySnapshot* asOf) {
  if (model_) {
    if (!writeChanges()) return;
    model_->refresh();
    grid_->fitColumns();
    return;
  }
  if (definition_.table) {
    auto* editable = new EditableQueryModel(connection, QString::fromLatin1(definition_.table), definition_.columns, grid_);
    QObject::connect(bar_, &DataControl::rowLeft, editable, [editable](int left, int) { editable->commitRow(left); });
    // Once the key or click that ended the typing is over, back to the value to correct.
    QObject::connect(editable, &EditableQueryModel::valueRefused, grid_,
                     [grid = grid_](int row, int column, const QString& typed) {
                       QTimer::singleShot(0, grid, [grid, row, column, typed] { grid->reopenCell(row, column, typed); });
                     });
    QObject::connect(editable, &EditableQueryModel::numberChanged, grid_,
                     [this](const QString& column, const QString& oldNumber, const QString& newNumber,
                            const std::vector<CarriedNumber>& stillCarrying) {
                       tell(numberChangeNotice(column, oldNumber, newNumber, stillCarrying), QStringLiteral("ALERT!"),
                            Prompter::Icon::Warning);
                     });
    model_ = editable;
  } else {
    const SortedQuery query = viewQuery(QString::fromLatin1(definition_.dataControl));
    model_ = new QueryTableModel(connection, asOf ? ::asOf(query, *asOf) : query, definition_.columns, grid_);
  }
  grid_->setModel(model_);
  bar_->bindModel();
  grid_->fitColumns();
}

bool BrowseList::writeChanges() {
  grid_->finishEditing();
  auto* editable = qobject_cast<EditableQueryModel*>(model_);
  return !editable || editable->commitAll();
}

// Which rows elsewhere still carry a number changed here, by the tabs that show them.
QString BrowseList::numberChangeNotice(const QString& column, const QString& oldNumber, const QString& newNumber,
                                       const std::vector<CarriedNumber>& stillCarrying) const {
  QString caption = column;
  for (const GridColumn& c : definition_.columns)
    if (c.field == column) caption = c.caption.trimmed();
  QStringList places;
  for (const CarriedNumber& carried : stillCarrying) {
    QString place = carried.table;
    for (const ViewDefinition& list : editDataLists())
      if (carried.table == QLatin1String(list.table)) place = QString::fromLatin1(list.tab);
    places << QStringLiteral("%1: %2").arg(place).arg(carried.rows);
  }
  return QStringLiteral("%1 was changed from %2 to %3 in this table only. Rows that still carry %2 - %4. Change them "
                        "on those tabs too if they belong to the same document.")
      .arg(caption, oldNumber, newNumber, places.join(QStringLiteral(", ")));
}

void BrowseList::focusBar() {
  bars_->setCurrentWidget(bar_);
  bar_->setFocus();
}
