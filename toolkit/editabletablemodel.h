#pragma once

#include <QAbstractTableModel>

#include "store/recordset.h"
#include "toolkit/gridcolumn.h"

// The rows of an updatable record set, editable in a grid. An edit changes the
// row in memory; the row is written back by key when it is left (commitRow).
// A value that does not fit its column is refused with a message.
class EditableTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // What an emptied cell holds: no value, or empty text (the sign-in slots).
  enum class EmptyCell { Null, EmptyText };
  EditableTableModel(RecordSet rows, GridColumns columns, EmptyCell empty = EmptyCell::Null, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  bool commitRow(int row);  // false when the write was refused (the user was told)

 private:
  int fieldOf(int column) const;

  mutable RecordSet rows_;
  GridColumns columns_;
  EmptyCell empty_;
};
