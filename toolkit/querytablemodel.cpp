#include "toolkit/querytablemodel.h"

#include "store/dberror.h"
#include "store/pagedquery.h"

namespace {
constexpr int kPageSize = 200;
}

QueryTableModel::QueryTableModel(Connection& connection, const QString& sql, const QVariantList& parameters,
                                 GridColumns columns, QObject* parent)
    : QAbstractTableModel(parent),
      query_(std::make_unique<PagedQuery>(connection, sql, parameters)),
      columns_(std::move(columns)) {
  const QStringList fields = query_->columnNames();
  if (columns_.empty())
    for (const QString& f : fields) columns_.push_back({f, f});
  for (const GridColumn& c : columns_) {
    int field = -1;
    for (int i = 0; i < fields.size(); ++i)
      if (fields[i].compare(c.field, Qt::CaseInsensitive) == 0) field = i;
    fieldOfColumn_.push_back(field);
  }
}

QueryTableModel::~QueryTableModel() = default;

int QueryTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  try {
    return query_->rowCount();
  } catch (const DbError&) {
    return 0;  // views ask while painting, where no message can be shown; refresh() tries again
  }
}

int QueryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

const QVariantList& QueryTableModel::row(int row) const {
  const int page = row / kPageSize;
  static const QVariantList none;
  auto it = pages_.find(page);
  if (it == pages_.end()) {
    try {
      it = pages_.insert(page, query_->rows(page * kPageSize, kPageSize));
    } catch (const DbError&) {
      return none;  // painting cannot ask the user; the next refresh tries again
    }
  }
  const int inPage = row % kPageSize;
  return inPage < it->size() ? (*it)[inPage] : none;
}

QVariant QueryTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const int field = fieldOfColumn_[size_t(index.column())];
  const QVariantList& values = row(index.row());
  if (field < 0 || field >= values.size()) return {};
  return columns_[size_t(index.column())].shown(values[field]);
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < int(columns_.size()) ? QVariant(columns_[size_t(section)].caption) : QVariant();
}

void QueryTableModel::refresh() {
  beginResetModel();
  pages_.clear();
  query_->refresh();
  endResetModel();
}
