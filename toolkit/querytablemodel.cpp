#include "toolkit/querytablemodel.h"

#include <QScopeGuard>

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/queries/pagedquery.h"
#include "toolkit/listwalker.h"

namespace {
constexpr int kPageSize = 200;
}

QueryTableModel::QueryTableModel(Connection& connection, const SortedQuery& query, GridColumns columns, QObject* parent)
    : QAbstractTableModel(parent),
      connection_(connection),
      query_(std::make_unique<PagedQuery>(connection, query)),
      columns_(std::move(columns)) {
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
  resetting_ = true;  // until the views have heard of the new reading, none of them is to fetch more
  beginResetModel();
  walker_.reset();
  ++reading_;
  pages_.clear();
  pageStarts_.clear();
  rows_ = 0;
  counted_ = false;
  // Whatever fails, the view is left with a consistent (empty) model.
  const auto endReset = qScopeGuard([this] {
    endResetModel();
    resetting_ = false;
  });
  query_->refresh();
  if (query_->kind() == SortedQuery::Kind::Computed) return;
  const QList<QVariantList> first = query_->first(kPageSize);
  pages_.insert(0, first);
  rows_ = int(first.size());
  counted_ = rows_ < kPageSize;
}

void QueryTableModel::countRows() {
  if (counted_ || walker_) return;
  const int reading = reading_;
  walker_ = std::make_unique<ListWalker>(connection_.address(), query_->asRead(), kPageSize, this,
                                         [this, reading](const ListShape& shape) {
                                           if (reading == reading_) arrive(shape);
                                         });
}

void QueryTableModel::arrive(const ListShape& shape) {
  counted_ = true;  // before the views hear of new rows: none of them is to fetch more
  if (query_->kind() == SortedQuery::Kind::Computed) {
    if (!shape.computed.isEmpty()) {
      beginInsertRows({}, 0, int(shape.computed.size()) - 1);
      pages_.insert(0, shape.computed);
      rows_ = int(shape.computed.size());
      endInsertRows();
    }
  } else {
    pageStarts_ = shape.pageStarts;
    if (shape.rows > rows_) {
      beginInsertRows({}, rows_, shape.rows - 1);
      rows_ = shape.rows;
      endInsertRows();
    } else if (shape.rows < rows_) {  // rows corrected elsewhere left the list meanwhile
      beginRemoveRows({}, shape.rows, rows_ - 1);
      rows_ = shape.rows;
      pages_.clear();
      endRemoveRows();
    }
  }
  emit countArrived();
}

bool QueryTableModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && !counted_ && !resetting_ && rows_ > 0 && rows_ % kPageSize == 0 && pages_.contains(rows_ / kPageSize - 1);
}

// Before the count: the page after the last one read, as the grid is scrolled.
void QueryTableModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent) || fetching_) return;  // a view told of the new rows may ask again
  fetching_ = true;
  const auto done = qScopeGuard([this] { fetching_ = false; });
  const int page = rows_ / kPageSize;
  QList<QVariantList> more;
  try {
    more = query_->after(pages_.value(page - 1).last(), kPageSize);
  } catch (const DbError&) {
    return;  // the next scroll tries again
  }
  const bool end = more.size() < kPageSize;  // the whole list is read: it is counted too
  if (end) {
    walker_.reset();
    counted_ = true;
  }
  if (!more.isEmpty()) {
    beginInsertRows({}, rows_, rows_ + int(more.size()) - 1);
    pages_.insert(page, more);
    rows_ += int(more.size());
    endInsertRows();
  }
  if (end) emit countArrived();
}

// A page continues from a neighbour already read; any other page is read from
// where the count found it begins: one seek, wherever it lies.
QList<QVariantList> QueryTableModel::readPage(int page) const {
  const auto previous = pages_.constFind(page - 1);
  if (previous != pages_.constEnd() && !previous->isEmpty()) return query_->after(previous->last(), kPageSize);
  const auto next = pages_.constFind(page + 1);
  if (next != pages_.constEnd() && !next->isEmpty()) return query_->before(next->first(), kPageSize);
  if (size_t(page) < pageStarts_.size()) return query_->from(pageStarts_[size_t(page)], kPageSize);
  return {};
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
  if (!index.isValid()) return {};
  const GridColumn& shownAs = columns_[size_t(index.column())];
  if (role == Qt::TextAlignmentRole) return shownAs.alignment(row(index.row()).value(fieldOfColumn_[size_t(index.column())]));
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const int field = fieldOfColumn_[size_t(index.column())];
  const QVariantList& values = row(index.row());
  if (field >= values.size()) return {};
  return role == Qt::DisplayRole ? shownAs.shown(values[field]) : values[field];
}

QString QueryTableModel::fieldName(int field) const { return query_->columnNames().value(field); }

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < int(columns_.size()) ? QVariant(columns_[size_t(section)].caption) : QVariant();
}
