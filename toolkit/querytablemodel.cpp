#include "toolkit/querytablemodel.h"

#include <QScopeGuard>

#include "store/dberror.h"
#include "store/pagedquery.h"

namespace {
constexpr int kPageSize = 200;
}

QueryTableModel::QueryTableModel(Connection& connection, const SortedQuery& query, GridColumns columns, QObject* parent)
    : QAbstractTableModel(parent), query_(std::make_unique<PagedQuery>(connection, query)), columns_(std::move(columns)) {
  const QStringList fields = query_->columnNames();
  if (columns_.empty())
    for (const QString& f : fields) columns_.push_back({f, f});
  for (const GridColumn& c : columns_) {
    fieldOfColumn_.push_back(int(fields.indexOf(c.field)));
    if (fieldOfColumn_.back() < 0)
      throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the list has no field %1 to show.").arg(c.field));
  }
  refresh();
}

QueryTableModel::~QueryTableModel() = default;

int QueryTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int QueryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

void QueryTableModel::refresh() {
  beginResetModel();
  pages_.clear();
  rows_ = 0;
  counting_ = false;
  // Whatever fails, the view is left with a consistent (empty) model.
  const auto endReset = qScopeGuard([this] { endResetModel(); });
  query_->refresh();
  const QList<QVariantList> first = query_->first(kPageSize);
  pages_.insert(0, first);
  rows_ = int(first.size());
  counting_ = rows_ == kPageSize;
}

void QueryTableModel::countRows() {
  if (!counting_) return;
  counting_ = false;
  const int total = query_->rowCount();
  if (total <= rows_) return;
  beginInsertRows({}, rows_, total - 1);
  rows_ = total;
  endInsertRows();
}

// A page continues from a neighbour already read; the last page is read
// backwards; only a jump into the middle counts its way there.
QList<QVariantList> QueryTableModel::readPage(int page) const {
  const auto previous = pages_.constFind(page - 1);
  if (previous != pages_.constEnd() && !previous->isEmpty()) return query_->after(previous->last(), kPageSize);
  const auto next = pages_.constFind(page + 1);
  if (next != pages_.constEnd() && !next->isEmpty()) return query_->before(next->first(), kPageSize);
  const int first = page * kPageSize;
  if (first + kPageSize >= rows_) return query_->last(rows_ - first);
  return query_->at(first, kPageSize);
}

const QVariantList& QueryTableModel::row(int row) const {
  static const QVariantList none;
  const int page = row / kPageSize;
  auto it = pages_.find(page);
  if (it == pages_.end()) {
    try {
      it = pages_.insert(page, readPage(page));
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
  if (field >= values.size()) return {};
  return columns_[size_t(index.column())].shown(values[field]);
}

QString QueryTableModel::fieldName(int field) const { return query_->columnNames().value(field); }

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < int(columns_.size()) ? QVariant(columns_[size_t(section)].caption) : QVariant();
}
