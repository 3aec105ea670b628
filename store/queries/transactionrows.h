#pragma once

#include <QVariantHash>
#include <optional>

#include "store/itemlines.h"
#include "store/recordset.h"

class Connection;

// The item row and the summary row of one business transaction, found by the
// number of its latest document. Changes stay in memory until write(), which
// stores both only if nothing changed them since they were loaded.
class TransactionRows {
 public:
  // Nothing when either row is missing.
  static std::optional<TransactionRows> load(Connection& connection, const QString& numberColumn, const QString& number);

  QVariantHash item() const { return item_.currentRow(); }
  ItemLines lines() const { return ItemLines::fromColumns(item()); }

  void setItem(const QVariantHash& values) { item_.setValues(values); }
  void setSummary(const QVariantHash& values) { summary_.setValues(values); }
  // The number of the answering document goes into both rows.
  void setNumber(const QString& column, const QVariant& number);

  // A row changed elsewhere since load() is a DbError(Conflict); nothing is written then.
  void write();

 private:
  TransactionRows(RecordSet item, RecordSet summary) : item_(std::move(item)), summary_(std::move(summary)) {}

  RecordSet item_;
  RecordSet summary_;
};
