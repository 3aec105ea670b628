#pragma once

#include <QString>
#include <QVariant>
#include <QVariantHash>
#include <memory>

class Connection;
class Statement;
struct Table;

// Appends many whole rows (every column but the key, in order) through one
// prepared statement; values are checked like any record-set write, and each
// row is logged like any new row, in the same write. For bulk loading by the
// tools: inside the caller's transaction a failed row fails the transaction,
// which the caller then takes back as a whole.
class RowWriter {
 public:
  RowWriter(Connection& connection, const QString& table);
  ~RowWriter();

  void append(const QVariantList& valuesWithoutKey);
  void append(const QVariantHash& byColumn);  // columns not named hold no value

 private:
  Connection& connection_;
  const Table& table_;
  int firstColumn_;
  QHash<QString, int> positions_;  // column name: place among the values
  std::unique_ptr<Statement> insert_;
};
