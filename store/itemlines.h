#pragma once

#include <QVariant>
#include <QVariantHash>
#include <array>

#include "store/categories.h"

// One category line of a transaction's item row.
struct ItemLine {
  QVariant flag;        // "YES" ticked, "" unticked, no value when never ticked
  QString description;  // empty: no value
  qint64 quantity = 0;  // 0: none
  QString make;         // empty: no value

  bool ticked() const { return flag.toString() == QLatin1String("YES"); }
};

// The three values of a transaction's summary row.
struct ItemSummary {
  QString description;  // "  A  B": each non-empty description, trimmed, after two blanks
  qint64 totalQuantity = 0;
  QString make;

  bool totalFitsItsColumn() const;
  QVariantHash columns() const;  // itemdes, qty, manf
};

// The seven lines of an item row, in category order: what the item
// requirement block shows and edits, and what the tools write.
struct ItemLines {
  std::array<ItemLine, kCategoryCount> lines;

  static ItemLines fromColumns(const QVariantHash& itemRow);
  QVariantHash columns() const;  // the flag, make, quantity and description columns
  ItemSummary summary() const;
  // The makes still to order from manufacturers: each ticked line with a make
  // that is not in stock adds two blanks and the make, trimmed, in line order.
  QString makesToOrder(const std::array<bool, kCategoryCount>& inStock) const;
};

// A quantity box: digits only, at most this much; empty means none.
inline constexpr qint64 kMaxLineQuantity = 10000;
enum class QuantityText { Ok, NotANumber, TooLarge };
QuantityText readQuantity(const QString& text, qint64* quantity);
