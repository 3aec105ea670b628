#pragma once

#include <QString>
#include <vector>

class Connection;
class DataControl;
class QStackedWidget;
class QTabWidget;
class QueryTableModel;
class ViewGrid;
struct CarriedNumber;
struct KeySnapshot;
struct ViewDefinition;

// One list of a browse form: its grid on a tab of its own, its navigation bar
// in the form's stack of bars. Its rows are read when it is first shown.
class BrowseList {
 public:
  BrowseList(const ViewDefinition& definition, QTabWidget* tabs, QStackedWidget* bars);

  ViewGrid* grid() const { return grid_; }
  DataControl* bar() const { return bar_; }
  bool isRead() const { return model_ != nullptr; }

  // Reads the rows the first time, again on later calls; `asOf` keeps them
  // to the rows that existed then. A table being corrected is read again only
  // once its changes are written.
  void read(Connection& connection, const KeySnapshot* asOf = nullptr);
  // Writes the changed rows of a table being corrected; false when one was refused.
  bool writeChanges();
  // Brings the bar to the front and gives it the keyboard focus.
  void focusBar();

 private:
  QString numberChangeNotice(const QString& column, const QString& oldNumber, const QString& newNumber,
                             const std::vector<CarriedNumber>& stillCarrying) const;

  const ViewDefinition& definition_;
  ViewGrid* grid_;
  DataControl* bar_;
  QStackedWidget* bars_;
  QueryTableModel* model_ = nullptr;  // owned by the grid
};

// "SHOWS RECORDS SORTED BY CLIENT (ASCENDING), THEN BY ...": the list's order
// in its column captions.
QString orderTooltip(const ViewDefinition& definition);
