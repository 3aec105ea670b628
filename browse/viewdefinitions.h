#pragma once

#include <vector>

#include "toolkit/gridcolumn.h"

// One list of a browse form: the tab it sits on, its grid and data control,
// the caption its bar shows, and its columns. The rows come from the store's
// list of the same data control name, or, for a table being corrected, from
// that table.
struct ViewDefinition {
  const char* tab;
  const char* grid;
  const char* dataControl;
  const char* caption;  // the title set on selection, or the bar's fixed caption
  const char* tooltip;  // empty: the tooltip states the list's order
  GridColumns columns;
  const char* table = nullptr;  // corrected in place
};

// A tab of the query form: an inner tab control with its lists and, last, its HELP tab.
struct ViewGroup {
  const char* tab;
  const char* tabControl;
  std::vector<ViewDefinition> views;
  const char* help = "";  // the text on the HELP tab
};

// The view data form's six lists, in tab order.
const std::vector<ViewDefinition>& viewDataLists();
// The edit data form's seven tables, in tab order.
const std::vector<ViewDefinition>& editDataLists();
// The query form's seven groups, in tab order.
const std::vector<ViewGroup>& queryGroups();
