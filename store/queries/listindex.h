#pragma once

#include <QString>
#include <vector>

#include "store/queries/pagedquery.h"

class SqlDialect;

// An index in a list's order on the table that drives the list, so that its
// first screen is read straight off it: each folded term as its folded text,
// then as written. A condition makes it cover only the rows the list shows.
struct ListIndex {
  QString table;
  std::vector<SortTerm> terms;
  QString condition;
  QString lead = {};  // an expression before the terms: the number a joined table is sought by

  // Stable while the definition is: a data version that keeps the definition keeps the index.
  QString name() const;
  QString createStatement(const SqlDialect& dialect) const;
  // Same table and condition, and this index's terms begin the other's: the other serves both.
  bool isPrefixOf(const ListIndex& other) const;
};

// Index names begin with this, so that those no longer wanted are found.
inline constexpr char kListIndexPrefix[] = "ix_list_";
