#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

struct Table;

// The first form's changes are a JSON array; the compact form's never begin so.
inline constexpr char kFirstFormChanges = '[';

// One column of a logged write: its value before (null for a new row) and after.
struct ColumnChange {
  QString column;
  QVariant before;
  QVariant after;
};

// One entry of the change log as stored. Entries are of two forms, told apart
// by their changes: the first releases of the log kept a readable summary
// beside the same changes as JSON ("[..."); entries written now keep the
// changes once, compactly ("|column=value|..."), with a digest of the whole
// row as the write left it, from which the summary is derived when shown.
struct ChangeEntry {
  QString changedAt, login, source, table;
  qint64 rowKey = 0;
  QVariant number;
  QString kind;      // "NEW" or "CHANGED"
  QString summary;   // kept by the first form only; empty in the compact one
  QString changes;
  QString rowDigest; // the compact form only

  bool isCompact() const { return !changes.startsWith(QLatin1Char(kFirstFormChanges)); }
  // SHA-256 over the entry and the seal before it, as hexadecimal text.
  QString seal(const QString& previous) const;
  std::vector<ColumnChange> decodedChanges() const;
};

inline constexpr char kNewRow[] = "NEW";
inline constexpr char kChangedRow[] = "CHANGED";

// Passwords never reach the log: a changed one reads "(hidden) -> changed".
bool isSecretColumn(const Table& table, const QString& column);

// The compact text of these changes; a new row's lists its values alone.
QString encodeChanges(const std::vector<ColumnChange>& changes, bool newRow);
// The readable summary of stored changes of either form: "column: value" for
// a new row, "column: before -> after" for a changed one, joined by "; ".
// Text that is not compact changes (an entry's summary of the first form) is
// returned as it is.
QString changeSummary(const QString& changesOrSummary);

// Appends the text of a stored value, by its place, in UTF-8; false for a null.
using AppendStoredText = std::function<bool(int place, QByteArray& out)>;

// The seal of an entry read as stored: `field` gives the log's columns by
// their place in changeLogColumns(); `previous` is the seal before it.
QByteArray sealOfStored(QByteArrayView previous, bool compact, const AppendStoredText& field);

// A digest of a row's stored values (its key and passwords left out): what
// the check compares the row with. `values` are the table's columns in order.
QString rowDigest(const Table& table, const QVariantList& values);
// The same over the first `count` columns, read by their place in the table.
QString rowDigest(const Table& table, int count, const AppendStoredText& value);
