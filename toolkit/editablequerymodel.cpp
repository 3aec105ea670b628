#include "toolkit/editablequerymodel.h"

#include "store/basics/dberror.h"
#include "store/dates.h"
#include "store/queries/viewqueries.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "toolkit/errorsink.h"
#include "toolkit/refusal.h"

namespace {
bool sameValue(const QVariant& a, const QVariant& b) {
  return a.isNull() == b.isNull() && (a.isNull() || a.toString() == b.toString());
}
}  // namespace

EditableQueryModel::EditableQueryModel(Connection& connection, const QString& table, GridColumns columns, QObject* parent)
    : QueryTableModel(connection, tableQuery(table), std::move(columns), parent),
      connection_(connection),
      table_(tableNamed(table)),
      keyField_(table_.columnIndex(table_.columns.front().name)) {}

QVariant EditableQueryModel::value(int row, int field) const {
  const auto shown = shown_.constFind(row);
  if (shown != shown_.constEnd() && shown->contains(field)) return shown->value(field);
  return this->row(row).value(field);
}

QVariant EditableQueryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)) return {};
  const QVariant stored = value(index.row(), fieldOfColumn(index.column()));
  const GridColumn& shownAs = column(index.column());
  if (role == Qt::TextAlignmentRole) return shownAs.alignment(stored);
  if (role == Qt::DisplayRole) return shownAs.shown(stored);
  // Edited as text, a date with its century, so that an untouched cell keeps its year.
  return shownAs.pattern == GridColumn::Pattern::Date ? QVariant(shownDateWithCentury(stored)) : QVariant(stored.toString());
}

Qt::ItemFlags EditableQueryModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags readable = QueryTableModel::flags(index);
  return fieldOfColumn(index.column()) == keyField_ ? readable : readable | Qt::ItemIsEditable;
}

bool EditableQueryModel::setData(const QModelIndex& index, const QVariant& typed, int role) {
  if (!index.isValid() || role != Qt::EditRole || fieldOfColumn(index.column()) == keyField_) return false;
  const int row = index.row();
  const int field = fieldOfColumn(index.column());
  bool accepted = false;
  runGuarded([&] {
    const QString text = typed.toString();
    QVariant stored;
    try {
      stored = table_.column(fieldName(field)).toStored(text.isEmpty() ? QVariant() : QVariant(text));
    } catch (const DbError& refused) {
      refused_ = {row, index.column()};
      emit valueRefused(row, index.column(), text);
      throw Refusal{QStringLiteral("%1: %2\nCorrect it, or press Escape in the cell to keep what is stored; until then "
                                   "nothing of this row is stored.")
                        .arg(column(index.column()).caption.trimmed(), refused.message()),
                    {}};
    }
    if (refused_.row == row && refused_.column == index.column()) refused_ = {};  // corrected
    const QVariant before = value(row, field);
    if (!sameValue(stored, before)) {
      if (!written_[row].contains(field)) written_[row].insert(field, before);
      shown_[row].insert(field, stored);
    }
    accepted = true;
  });
  if (accepted) emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return accepted;
}

bool EditableQueryModel::commitRow(int row) {
  if (refused_.row == row) {
    if (written_.contains(row)) return false;  // its cell is open again for correcting
    refused_ = {};                              // nothing else of the row waits for it
  }
  if (!written_.contains(row)) return true;
  bool written = false;
  runGuarded([&] {
    writeRow(row);
    written = true;
  });
  emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
  return written;
}

bool EditableQueryModel::commitAll() {
  bool all = true;
  for (int row : written_.keys()) all = commitRow(row) && all;
  return all;
}

void EditableQueryModel::writeRow(int row) {
  const QHash<int, QVariant> before = written_.take(row);
  RecordSet stored = RecordSet::openWhere(connection_, table_.name, QStringLiteral("\"%1\" = ?").arg(fieldName(keyField_)),
                                          {this->row(row).value(keyField_)});
  bool changedElsewhere = stored.recordCount() == 0;
  for (auto f = before.cbegin(); !changedElsewhere && f != before.cend(); ++f)
    changedElsewhere = !sameValue(stored.value(fieldName(f.key())), f.value());
  if (changedElsewhere) {
    // Show the row as it is stored now; the change typed here is not forced over it.
    shown_.remove(row);
    for (int field = 0; stored.recordCount() > 0 && field < stored.fieldCount(); ++field)
      shown_[row].insert(table_.columnIndex(stored.fieldName(field)), stored.value(field));
    throw Refusal{QStringLiteral("This row was changed elsewhere since it was shown here, so your change was not saved. "
                                 "The row now shows what is stored; type the change again if it is still needed."),
                  {}};
  }
  for (auto f = before.cbegin(); f != before.cend(); ++f) stored.setValue(fieldName(f.key()), shown_[row].value(f.key()));
  try {
    stored.updateBatch();
  } catch (...) {
    written_.insert(row, before);  // kept, to be written when the row is left again
    throw;
  }
  for (auto f = before.cbegin(); f != before.cend(); ++f) {
    const QString name = fieldName(f.key());
    const QString oldNumber = f.value().toString().trimmed();
    const QString newNumber = shown_[row].value(f.key()).toString().trimmed();
    if (isDocumentNumber(name) && !oldNumber.isEmpty() && oldNumber.compare(newNumber, Qt::CaseInsensitive) != 0) {
      const std::vector<CarriedNumber> carried = rowsCarrying(connection_, name, oldNumber, table_.name);
      if (!carried.empty()) emit numberChanged(name, oldNumber, newNumber, carried);
    }
  }
}

void EditableQueryModel::refresh() {
  shown_.clear();
  written_.clear();
  refused_ = {};
  QueryTableModel::refresh();
}

void EditableQueryModel::revert() { refused_ = {}; }
