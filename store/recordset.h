#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <memory>

class Connection;
struct Table;

// Rows kept client-side. Field writes change the current row in memory; only
// updateBatch() writes it (INSERT for a pending row, UPDATE by key for a loaded
// one); close() or destruction without it discards the change.
class RecordSet {
 public:
  RecordSet();
  ~RecordSet();
  RecordSet(RecordSet&&) noexcept;
  RecordSet& operator=(RecordSet&&) noexcept;

  // All rows of a table in key order, updatable.
  static RecordSet openTable(Connection& connection, const QString& table);
  // The rows of a table matching a fixed condition with ? placeholders, in key order, updatable.
  static RecordSet openWhere(Connection& connection, const QString& table, const QString& condition,
                             const QVariantList& parameters);
  // No rows loaded: for forms that only append.
  static RecordSet openForAppend(Connection& connection, const QString& table);
  // Any query, read-only.
  static RecordSet openQuery(Connection& connection, const QString& sql, const QVariantList& parameters = {});

  bool isOpen() const;
  void close();

  Connection& connection() const;
  // The table the rows belong to; empty for a query.
  QString tableName() const;

  int fieldCount() const;
  QString fieldName(int column) const;

  void addNew();
  QVariant value(int column) const;
  QVariant value(const QString& column) const;
  void setValue(int column, const QVariant& value);  // refuses a value that does not fit, changing nothing
  void setValue(const QString& column, const QVariant& value);
  void setValues(const QVariantHash& byColumn);
  QVariantHash currentRow() const;  // by column name
  bool isPending() const;  // current row not yet written

  // What an update of a loaded row checks before it writes: that the columns
  // it changes, or every column, still hold what was loaded. A row changed
  // meanwhile is a DbError(Conflict) and nothing is written.
  enum class ConflictCheck { ChangedColumns, WholeRow };
  void updateBatch(ConflictCheck check = ConflictCheck::ChangedColumns);

  void moveFirst();
  void moveNext();
  void moveLast();
  void moveTo(int absolutePosition);  // 1-based
  bool eof() const;
  int absolutePosition() const;  // 1-based; 0 when there is no current row
  int recordCount() const;

 private:
  struct Data;
  std::shared_ptr<Data> d_;

  Data& data() const;
  int indexOf(const QString& column) const;
};
