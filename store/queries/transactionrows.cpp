#include "store/queries/transactionrows.h"

#include "store/queries/documentqueries.h"

std::optional<TransactionRows> TransactionRows::load(Connection& connection, const QString& numberColumn,
                                                     const QString& number) {
  const QString condition = documentqueries::numberIs(numberColumn);
  RecordSet item = RecordSet::openWhere(connection, QStringLiteral("titeminq"), condition, {number});
  RecordSet summary = RecordSet::openWhere(connection, QStringLiteral("titemdescom"), condition, {number});
  if (item.eof() || summary.eof()) return std::nullopt;
  return TransactionRows(std::move(item), std::move(summary));
}

void TransactionRows::setNumber(const QString& column, const QVariant& number) {
  item_.setValue(column, number);
  summary_.setValue(column, number);
}

void TransactionRows::write() {
  item_.updateBatch(RecordSet::ConflictCheck::WholeRow);
  summary_.updateBatch(RecordSet::ConflictCheck::WholeRow);
}
