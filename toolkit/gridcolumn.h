#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// One column of a grid: its caption, the field it shows and how. Whole
// numbers read with the office's digit grouping (12,34,567), right-aligned;
// a key is right-aligned but not grouped, being a name rather than an amount.
struct GridColumn {
  // as stored; "dd/MM/yy"; "h:nn AM/PM"; a row's key; a change-log entry's changes as a readable summary
  enum class Pattern { Plain, Date, Time12, Key, ChangeSummary };
  QString caption;
  QString field;
  Pattern pattern = Pattern::Plain;

  QVariant shown(const QVariant& stored) const;
  QVariant alignment(const QVariant& stored) const;
};

using GridColumns = std::vector<GridColumn>;
