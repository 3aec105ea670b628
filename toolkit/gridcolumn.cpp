#include "toolkit/gridcolumn.h"

#include "store/changeentry.h"
#include "store/dates.h"
#include "store/wholenumber.h"

namespace {
bool isWholeNumber(const QVariant& value) {
  const int type = value.typeId();
  return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::Short;
}
}  // namespace

QVariant GridColumn::shown(const QVariant& stored) const {
  if (pattern == Pattern::Date) return shownDate(stored);
  if (pattern == Pattern::Time12 && !stored.isNull()) {
    const QTime time = timeFromInput(stored);
    return time.isValid() ? QVariant(time.toString(QStringLiteral("h:mm AP"))) : stored;
  }
  if (pattern == Pattern::Plain && isWholeNumber(stored)) return groupedDigits(stored.toLongLong());
  if (pattern == Pattern::ChangeSummary) return changeSummary(stored.toString());
  return stored;
}

QVariant GridColumn::alignment(const QVariant& stored) const {
  return int(Qt::AlignVCenter | (isWholeNumber(stored) ? Qt::AlignRight : Qt::AlignLeft));
}
