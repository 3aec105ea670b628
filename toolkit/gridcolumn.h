#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// One column of a grid: its caption, the field it shows and how.
struct GridColumn {
  // as stored; "dd/MM/yy"; "h:nn AM/PM"; a change-log entry's changes as a readable summary
  enum class Pattern { Plain, Date, Time12, ChangeSummary };
  QString caption;
  QString field;
  Pattern pattern = Pattern::Plain;

  QVariant shown(const QVariant& stored) const;
};

using GridColumns = std::vector<GridColumn>;
