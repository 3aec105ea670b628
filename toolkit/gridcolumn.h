#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// One column of a grid: its caption, the field it shows and how.
struct GridColumn {
  enum class Pattern { Plain, Date, Time12 };  // as stored; "dd/MM/yy"; "h:nn AM/PM"
  QString caption;
  QString field;
  Pattern pattern = Pattern::Plain;

  QVariant shown(const QVariant& stored) const;
};

using GridColumns = std::vector<GridColumn>;
