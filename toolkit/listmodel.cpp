#include "toolkit/listmodel.h"

#include "store/queries/valuelist.h"
#include "toolkit/errorsink.h"

namespace {
constexpr int kPageSize = 200;
}

ListModel::ListModel(Connection& connection, const QString& sql, QObject* parent)
    : QAbstractListModel(parent), list_(std::make_unique<ValueList>(connection, sql)) {
  values_ = list_->next(kPageSize);
}

ListModel::~ListModel() = default;

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(values_.size()); }

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= values_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  return values_[index.row()];
}

bool ListModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !list_->atEnd(); }

void ListModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid()) return;
  runGuarded([&] {
    const QStringList more = list_->next(kPageSize);
    if (more.isEmpty()) return;
    beginInsertRows({}, int(values_.size()), int(values_.size() + more.size()) - 1);
    values_ << more;
    endInsertRows();
  });
}
