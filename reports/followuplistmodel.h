#pragma once

#include <QDate>
#include <QVariantHash>

#include "toolkit/querytablemodel.h"

// The documents of one cell of the follow-up board, read lazily like any
// list; its "agedfrom" column shows the days overdue on the board's day.
class FollowUpListModel : public QueryTableModel {
  Q_OBJECT

 public:
  FollowUpListModel(Connection& connection, const SortedQuery& query, GridColumns columns, QDate today,
                    QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // The row's fields as read, by their names in the list.
  QVariantHash listed(int row) const;

 private:
  QDate today_;
};
