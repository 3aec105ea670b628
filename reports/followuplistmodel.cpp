#include "reports/followuplistmodel.h"

#include "store/queries/followup.h"

FollowUpListModel::FollowUpListModel(Connection& connection, const SortedQuery& query, GridColumns columns, QDate today,
                                     QObject* parent)
    : QueryTableModel(connection, query, std::move(columns), parent), today_(today) {}

QVariant FollowUpListModel::data(const QModelIndex& index, int role) const {
  if (index.isValid() && column(index.column()).field == QLatin1String("agedfrom")) {
    if (role == Qt::DisplayRole) return daysOverdue(row(index.row()).value(fieldOfColumn(index.column())), today_);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);  // a count, as the values beside it
  }
  return QueryTableModel::data(index, role);
}

QVariantHash FollowUpListModel::listed(int row) const {
  QVariantHash fields;
  const QVariantList& values = this->row(row);
  for (int field = 0; field < values.size(); ++field) fields.insert(fieldName(field), values[field]);
  return fields;
}
