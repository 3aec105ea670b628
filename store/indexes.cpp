#include "store/indexes.h"

#include <QStringList>

#include "store/categories.h"
#include "store/connection.h"
#include "store/followup.h"
#include "store/sqldialect.h"
#include "store/listindex.h"
#include "store/statement.h"
#include "store/viewqueries.h"

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

ListIndex folded(const char* table, const QString& column) { return {QLatin1String(table), {{column, false, true}}, {}}; }

// Every list's index: the browse lists', the entry forms' drop-down lists of
// values already used, and the change log's narrowed to a table or a login.
// An index whose terms begin another's is served by the other.
std::vector<ListIndex> listIndexes() {
  std::vector<ListIndex> all = viewListIndexes();
  for (const char* column : {"inqnum", "client", "area"}) all.push_back(folded("tinquiry", QLatin1String(column)));
  all.push_back(folded("taddressbook", QStringLiteral("state")));
  for (const Category& category : categories()) all.push_back(folded("titeminq", category.makeColumn()));
  for (const char* column : {"tablename", "login"})
    all.push_back({QStringLiteral("tchangelog"), {{QLatin1String(column)}, {QStringLiteral("pkeychangelog"), true, false, true}}, {}});
  std::vector<ListIndex> kept;
  for (size_t i = 0; i < all.size(); ++i) {
    bool served = false;
    for (size_t j = 0; j < all.size() && !served; ++j)
      served = j != i && all[i].isPrefixOf(all[j]) && (!all[j].isPrefixOf(all[i]) || j < i);
    if (!served) kept.push_back(all[i]);
  }
  return kept;
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
  createFollowUpIndexes(connection);
}

void createListIndexes(Connection& connection, const IndexProgress& progress) {
  const std::vector<ListIndex> wanted = listIndexes();
  QStringList wantedNames;
  for (const ListIndex& index : wanted) wantedNames << index.name();
  QStringList present;
  for (const QString& name : connection.dialect().indexNames(connection))
    if (name.startsWith(QLatin1String(kListIndexPrefix))) present << name;
  connection.dialect().settleDeferredWork(connection);
  for (const QString& name : present)
    if (!wantedNames.contains(name)) connection.execute(QStringLiteral("DROP INDEX \"%1\"").arg(name));
  int built = 0;
  if (progress) progress(0, int(wanted.size()));
  for (const ListIndex& index : wanted) {
    if (!present.contains(index.name())) connection.execute(index.createStatement(connection.dialect()));
    if (progress) progress(++built, int(wanted.size()));
  }
}

void dropIndexesReplacedByListIndexes(Connection& connection) {
  QStringList replaced = {"ix_tinquiry_client", "ix_tinquiry_area", "ix_taddressbook_state"};
  for (const Category& category : categories()) replaced << QStringLiteral("ix_titeminq_") + category.makeColumn();
  for (const QString& name : connection.dialect().indexNames(connection))
    if (name.contains(QLatin1String("_order_"))) replaced << name;  // the first lists' indexes, before letter case was folded
  for (const QString& name : replaced) connection.execute(QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(name));
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
