#include "store/queries/numberreferences.h"

#include <QStringList>

#include "store/schema.h"
#include "store/statement.h"

bool isDocumentNumber(const QString& column) {
  static const QStringList numbers = {QStringLiteral("inqnum"), QStringLiteral("quotenum"), QStringLiteral("ponum"),
                                      QStringLiteral("invoicenum")};
  return numbers.contains(column, Qt::CaseInsensitive);
}

std::vector<CarriedNumber> rowsCarrying(Connection& connection, const QString& column, const QVariant& number,
                                        const QString& except) {
  std::vector<CarriedNumber> carried;
  for (const Table& table : allTables()) {
    if (table.columnIndex(column) < 0 || table.name.compare(except, Qt::CaseInsensitive) == 0) continue;
    Statement count(connection, QStringLiteral("SELECT count(*) FROM \"%1\" WHERE lower(trim(\"%2\")) = lower(trim(?))")
                                    .arg(table.name, column));
    count.bind(1, number);
    const int rows = count.step() ? count.value(0).toInt() : 0;
    if (rows > 0) carried.push_back({table.name, rows});
  }
  return carried;
}
