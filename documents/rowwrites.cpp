#include "documents/rowwrites.h"

#include "documents/itemrequirementblock.h"
#include "store/recordset.h"
#include "store/wholenumber.h"
#include "toolkit/prompter.h"

void writeToRows(std::initializer_list<RecordSet*> rows, const QString& column, const QString& text) {
  const QVariant value = text.isEmpty() ? QVariant() : QVariant(text);
  for (RecordSet* row : rows) row->setValue(column, value);
}

void writeWholeNumber(RecordSet& row, const QString& column, const QString& text, const QString& what) {
  if (text.trimmed().isEmpty()) {
    row.setValue(column, QVariant());
    return;
  }
  const ParsedNumber parsed = parseWholeNumber(text, kInt32Range);
  if (parsed.status == ParsedNumber::NotANumber || parsed.value < 0) {
    tell(QStringLiteral("Please use NUMBER(0 to 9) only...%1 is not saved").arg(what), QStringLiteral("ALERT!"));
    return;
  }
  if (parsed.status == ParsedNumber::OutOfRange) {
    tell(QStringLiteral("Too much large %1..not allowed (at most %2)").arg(what).arg(kInt32Range.max),
         QStringLiteral("Info.."));
    return;
  }
  row.setValue(column, parsed.value);
}

bool checkTotalQuantity(const ItemSummary& summary) {
  if (summary.totalQuantity <= kInt16Range.max) return true;
  tell(QStringLiteral("Total quantity of all items is %1..more than %2 is not allowed. Please correct the quantities "
                      "before saving..")
           .arg(summary.totalQuantity)
           .arg(kInt16Range.max),
       QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
  return false;
}

void writeSummary(RecordSet& summaryRow, const ItemSummary& summary) {
  summaryRow.setValue(QStringLiteral("itemdes"), summary.description);
  summaryRow.setValue(QStringLiteral("qty"), summary.totalQuantity);
  summaryRow.setValue(QStringLiteral("manf"), summary.make);
}
