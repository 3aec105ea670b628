#include "store/indexes.h"

#include <QStringList>

#include "store/connection.h"
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
  return {
      plain("tinquiry", "inqnum"),        uniqueNumber("tinquiry", "inqnum"),  uniqueNumber("titeminq", "inqnum"),
      number("titeminq", "quotenum"),     number("titeminq", "ponum"),         number("titeminq", "invoicenum"),
      plain("titemdescom", "inqnum"),     plain("titemdescom", "quotenum"),    plain("titemdescom", "ponum"),
      plain("titemdescom", "invoicenum"), uniqueNumber("titemdescom", "inqnum"), number("titemdescom", "quotenum"),
      number("titemdescom", "ponum"),     number("titemdescom", "invoicenum"), plain("tquote", "inqnum"),
      plain("tquote", "quotenum"),        uniqueNumber("tquote", "inqnum"),    uniqueNumber("tquote", "quotenum"),
      plain("tpo", "quotenum"),           plain("tpo", "ponum"),               uniqueNumber("tpo", "quotenum"),
      uniqueNumber("tpo", "ponum"),       plain("tinvoice", "ponum"),          plain("tinvoice", "invoicenum"),
      uniqueNumber("tinvoice", "ponum"),  uniqueNumber("tinvoice", "invoicenum"), plain("taddressbook", "inqnum"),
      uniqueNumber("taddressbook", "inqnum"),
  };
}

QString indexName(const Index& index) {
  return QStringLiteral("ix_%1_%2%3").arg(index.table, index.kind == Index::Plain ? QString() : QStringLiteral("number_"),
                                          index.column);
}

}  // namespace

bool isUniqueNumber(const QString& table, const QString& column) {
  for (const Index& index : allIndexes())
    if (index.kind == Index::UniqueNumber && index.table == table && index.column == column) return true;
  return false;
}

void createIndexes(Connection& connection) {
  for (const Index& index : allIndexes())
    connection.execute(QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\" (%4)")
                           .arg(index.kind == Index::UniqueNumber ? QStringLiteral("UNIQUE ") : QString(),
                                indexName(index), index.table, index.expression()));
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
