#pragma once

#include <QHash>

#include "store/queries/numberreferences.h"
#include "toolkit/querytablemodel.h"

struct Table;

// A whole table for correcting, read a page at a time like any list. A value
// typed into a cell is checked against its column at once; the row is written
// by key when it is left (commitRow), and only if the columns changed still
// hold what the grid showed. The key column cannot be typed into. While a
// value typed into a row stands refused, the row's other changes stay pending,
// unwritten, until that value is corrected or given up (revert, Escape in the
// cell).
class EditableQueryModel : public QueryTableModel {
  Q_OBJECT

 public:
  EditableQueryModel(Connection& connection, const QString& table, GridColumns columns, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void refresh() override;  // drops changes not yet written: commit first
  void revert() override;   // a refused value is given up

  // False when the write was refused or met a change made elsewhere (the user
  // was told, and the row shows what is stored).
  bool commitRow(int row);
  bool commitAll();

 signals:
  // `typed` was refused in this cell: the cursor belongs back in it, with
  // the text for correcting, whichever way the typing ended.
  void valueRefused(int row, int column, const QString& typed);
  // A document number was written changed; these rows elsewhere still carry the old one.
  void numberChanged(const QString& column, const QString& oldNumber, const QString& newNumber,
                     const std::vector<CarriedNumber>& stillCarrying);

 private:
  QVariant value(int row, int field) const;
  void writeRow(int row);

  Connection& connection_;
  const Table& table_;
  int keyField_;
  QHash<int, QHash<int, QVariant>> shown_;    // row: field: value in place of what was read
  QHash<int, QHash<int, QVariant>> written_;  // row: field: the stored value the grid showed before the change
  struct Refused {
    int row = -1;
    int column = -1;
  };
  Refused refused_;  // the last value refused, until its cell takes a good one
};
