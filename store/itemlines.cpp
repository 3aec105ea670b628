#include "store/itemlines.h"

#include <limits>

#include "store/wholenumber.h"

namespace {
QVariant textOrNothing(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

void appendPart(QString& combined, const QString& part) {
  if (!part.isEmpty()) combined += QStringLiteral("  ") + part.trimmed();
}
}  // namespace

bool ItemSummary::totalFitsItsColumn() const { return totalQuantity <= kInt16Range.max; }

QVariantHash ItemSummary::columns() const {
  return {{QStringLiteral("itemdes"), description},
          {QStringLiteral("qty"), totalQuantity},
          {QStringLiteral("manf"), make}};
}

ItemLines ItemLines::fromColumns(const QVariantHash& itemRow) {
  ItemLines result;
  for (int i = 0; i < kCategoryCount; ++i) {
    const Category& category = categories()[size_t(i)];
    ItemLine& line = result.lines[size_t(i)];
    line.flag = itemRow.value(category.flagColumn());
    line.description = itemRow.value(category.descriptionColumn()).toString();
    line.quantity = itemRow.value(category.quantityColumn()).toLongLong();
    line.make = itemRow.value(category.makeColumn()).toString();
  }
  return result;
}

QVariantHash ItemLines::columns() const {
  QVariantHash values;
  for (int i = 0; i < kCategoryCount; ++i) {
    const Category& category = categories()[size_t(i)];
    const ItemLine& line = lines[size_t(i)];
    values.insert(category.flagColumn(), line.flag);
    values.insert(category.descriptionColumn(), textOrNothing(line.description));
    values.insert(category.quantityColumn(), line.quantity);
    values.insert(category.makeColumn(), textOrNothing(line.make));
  }
  return values;
}

ItemSummary ItemLines::summary() const {
  ItemSummary summary;
  for (const ItemLine& line : lines) appendPart(summary.description, line.description);
  for (const ItemLine& line : lines) summary.totalQuantity += line.quantity;
  for (const ItemLine& line : lines) appendPart(summary.make, line.make);
  return summary;
}

QString ItemLines::makesToOrder(const std::array<bool, kCategoryCount>& inStock) const {
  QString makes;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].ticked() && !inStock[i]) appendPart(makes, lines[i].make);
  return makes;
}

QuantityText readQuantity(const QString& text, qint64* quantity) {
  *quantity = 0;
  if (text.trimmed().isEmpty()) return QuantityText::Ok;
  // The value is judged, not the length of its text: "000050" is 50.
  const ParsedNumber parsed = parseWholeNumber(text, {0, std::numeric_limits<qint64>::max()});
  if (parsed.status == ParsedNumber::NotANumber || text.trimmed().startsWith('-')) return QuantityText::NotANumber;
  if (parsed.status == ParsedNumber::OutOfRange || parsed.value > kMaxLineQuantity) return QuantityText::TooLarge;
  *quantity = parsed.value;
  return QuantityText::Ok;
}
