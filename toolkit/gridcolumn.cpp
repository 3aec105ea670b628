#include "toolkit/gridcolumn.h"

#include "store/dates.h"

QVariant GridColumn::shown(const QVariant& stored) const {
  if (pattern == Pattern::Date) return shownDate(stored);
  return stored;
}
