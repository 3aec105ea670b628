#include "toolkit/editabletablemodel.h"

#include "toolkit/errorsink.h"

EditableTableModel::EditableTableModel(RecordSet rows, GridColumns columns, EmptyCell empty, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)), columns_(std::move(columns)), empty_(empty) {
  if (columns_.empty())
    for (int f = 0; f < rows_.fieldCount(); ++f) columns_.push_back({rows_.fieldName(f), rows_.fieldName(f)});
}

int EditableTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.recordCount(); }

int EditableTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(columns_.size());
}

int EditableTableModel::fieldOf(int column) const {
  for (int f = 0; f < rows_.fieldCount(); ++f)
    if (rows_.fieldName(f).compare(columns_[size_t(column)].field, Qt::CaseInsensitive) == 0) return f;
  return -1;
}

QVariant EditableTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const int field = fieldOf(index.column());
  if (field < 0) return {};
  rows_.moveTo(index.row() + 1);
  return columns_[size_t(index.column())].shown(rows_.value(field));
}

bool EditableTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int field = index.isValid() && role == Qt::EditRole ? fieldOf(index.column()) : -1;
  if (field < 0) return false;
  bool accepted = false;
  runGuarded([&] {
    rows_.moveTo(index.row() + 1);
    QVariant stored = value;
    if (value.toString().isEmpty()) stored = empty_ == EmptyCell::Null ? QVariant() : QVariant(QStringLiteral(""));
    rows_.setValue(field, stored);
    accepted = true;
  });
  if (accepted) emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return accepted;
}

Qt::ItemFlags EditableTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant EditableTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < int(columns_.size()) ? QVariant(columns_[size_t(section)].caption) : QVariant();
}

bool EditableTableModel::commitRow(int row) {
  if (row < 0 || row >= rows_.recordCount()) return true;
  bool written = false;
  runGuarded([&] {
    rows_.moveTo(row + 1);
    rows_.updateBatch();
    written = true;
  });
  return written;
}
