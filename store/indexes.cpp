#include "store/indexes.h"

#include <QStringList>

#include "store/categories.h"
#include "store/connection.h"
#include "store/followup.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

struct Index {
  enum Kind { Plain, Number, UniqueNumber };
  QString table;
  QString column;
  Kind kind;

  QString quotedColumn() const { return '"' + column + '"'; }
  // Numbers are matched trimmed and case-folded, the way the forms look them up.
  QString expression() const {
    return kind == Plain ? quotedColumn() : QStringLiteral("lower(trim(%1))").arg(quotedColumn());
  }
};

Index plain(const char* table, const QString& column) { return {table, column, Index::Plain}; }
Index number(const char* table, const char* column) { return {table, column, Index::Number}; }
Index uniqueNumber(const char* table, const char* column) { return {table, column, Index::UniqueNumber}; }

std::vector<Index> allIndexes() {
  std::vector<Index> indexes = {
      plain("tinquiry", "inqnum"),        plain("tinquiry", "client"),         plain("tinquiry", "area"),
      uniqueNumber("tinquiry", "inqnum"), uniqueNumber("titeminq", "inqnum"),  number("titeminq", "quotenum"),
      number("titeminq", "ponum"),        number("titeminq", "invoicenum"),    plain("titemdescom", "inqnum"),
      plain("titemdescom", "quotenum"),   plain("titemdescom", "ponum"),       plain("titemdescom", "invoicenum"),
      uniqueNumber("titemdescom", "inqnum"), number("titemdescom", "quotenum"), number("titemdescom", "ponum"),
      number("titemdescom", "invoicenum"), plain("tquote", "inqnum"),          plain("tquote", "quotenum"),
      uniqueNumber("tquote", "inqnum"),   uniqueNumber("tquote", "quotenum"),  plain("tpo", "quotenum"),
      plain("tpo", "ponum"),              uniqueNumber("tpo", "quotenum"),     uniqueNumber("tpo", "ponum"),
      plain("tinvoice", "ponum"),         plain("tinvoice", "invoicenum"),     uniqueNumber("tinvoice", "ponum"),
      uniqueNumber("tinvoice", "invoicenum"), plain("taddressbook", "inqnum"), uniqueNumber("taddressbook", "inqnum"),
      plain("taddressbook", "state"),
  };
  // The make lists read each category's distinct makes through these.
  for (const Category& category : categories()) indexes.push_back(plain("titeminq", category.makeColumn()));
  return indexes;
}

QString indexName(const Index& index) {
  return QStringLiteral("ix_%1_%2%3").arg(index.table, index.kind == Index::Plain ? QString() : QStringLiteral("number_"),
                                          index.column);
}

// The orders the correcting and browsing lists show whole tables in: a list's
// first screen comes straight off its index instead of sorting the table.
struct ListingOrder {
  const char* table;
  QStringList columns;

  // Index terms ordered, nulls included, as the lists read them.
  QString terms(const SqlDialect& dialect) const {
    QStringList terms;
    for (const QString& column : columns) {
      const bool descending = column.endsWith(QLatin1String(" DESC"));
      terms << dialect.orderTerm(descending ? column.chopped(5) : column, descending);
    }
    return terms.join(QStringLiteral(", "));
  }

  QString name() const {
    QString joined = columns.join('_');
    joined.replace(QStringLiteral(" DESC"), QStringLiteral("_desc"));
    return QStringLiteral("ix_%1_order_%2").arg(QLatin1String(table), joined);
  }
};

const std::vector<ListingOrder>& listingOrders() {
  static const std::vector<ListingOrder> orders = {
      {"tinquiry", {"client", "inqdate DESC", "inqnum"}}, {"tquote", {"client", "quotenum DESC"}},
      {"tpo", {"client", "ponum"}},                       {"tinvoice", {"client", "invoicenum DESC"}},
      {"titeminq", {"client", "inqnum"}},                 {"taddressbook", {"client", "inqnum DESC"}},
      {"taddressbook", {"client", "inqnum"}},
  };
  return orders;
}

}  // namespace

void createIndexes(Connection& connection) {
  for (const Index& index : allIndexes())
    connection.execute(QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\" (%4)")
                           .arg(index.kind == Index::UniqueNumber ? QStringLiteral("UNIQUE ") : QString(),
                                indexName(index), index.table, index.expression()));
  createListingIndexes(connection);
  createFollowUpIndexes(connection);
}

void createListingIndexes(Connection& connection) {
  for (const ListingOrder& order : listingOrders())
    connection.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1\" ON \"%2\" (%3)")
                           .arg(order.name(), QLatin1String(order.table), order.terms(connection.dialect())));
}

QString firstDuplicateNumber(Connection& connection) {
  for (const Index& index : allIndexes()) {
    if (index.kind != Index::UniqueNumber) continue;
    Statement twice(connection, QStringLiteral("SELECT min(%1) FROM \"%2\" WHERE %3 IS NOT NULL GROUP BY %3 "
                                               "HAVING count(*) > 1 LIMIT 1")
                                    .arg(index.quotedColumn(), index.table, index.expression()));
    if (twice.step()) return index.table + QStringLiteral(": ") + twice.value(0).toString();
  }
  return {};
}
