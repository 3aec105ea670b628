#include "toolkit/gridcolumn.h"

#include "store/changeentry.h"
#include "store/dates.h"

QVariant GridColumn::shown(const QVariant& stored) const {
  if (pattern == Pattern::Date) return shownDate(stored);
  if (pattern == Pattern::Time12 && !stored.isNull()) {
    const QTime time = timeFromInput(stored);
    return time.isValid() ? QVariant(time.toString(QStringLiteral("h:mm AP"))) : stored;
  }
  if (pattern == Pattern::ChangeSummary) return changeSummary(stored.toString());
  return stored;
}
