#include "store/queries/changelogquery.h"

#include <QStringList>

SortedQuery changeLogQuery(const ChangeFilter& filter) {
  QStringList conditions = {QStringLiteral("1 = 1")};
  QVariantList parameters;
  if (!filter.number.trimmed().isEmpty()) {
    conditions << QStringLiteral("lower(trim(number)) = lower(trim(?))");
    parameters << filter.number;
  }
  for (const auto& [column, value] : {std::pair{"tablename", filter.table}, std::pair{"login", filter.login}})
    if (!value.isEmpty()) {
      conditions << QStringLiteral("%1 = ?").arg(QLatin1String(column));
      parameters << value;
    }
  if (filter.from.isValid()) {
    conditions << QStringLiteral("changedat >= ?");
    parameters << filter.from.toString(Qt::ISODate);
  }
  if (filter.to.isValid()) {
    conditions << QStringLiteral("changedat < ?");
    parameters << filter.to.addDays(1).toString(Qt::ISODate);
  }
  // The summary of an entry of the first form; the changes of a compact one, which changeSummary() reads.
  return {QStringLiteral("SELECT pkeychangelog, changedat, login, source, tablename, rowkey, number, kind, CASE WHEN "
                         "rowdigest IS NULL THEN summary ELSE changes END AS summary FROM tchangelog WHERE %1")
              .arg(conditions.join(QStringLiteral(" AND "))),
          {{QStringLiteral("pkeychangelog"), true, false, true}},
          parameters,
          {},
          SortedQuery::Kind::Keyed};
}

