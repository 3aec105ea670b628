#include "store/layout/listindexes.h"

#include <QStringList>

#include "store/categories.h"
#include "store/connection.h"
#include "store/queries/listindex.h"
#include "store/queries/reportqueries.h"
#include "store/queries/viewqueries.h"
#include "store/sqldialect.h"

namespace {

ListIndex folded(const char* table, const QString& column) { return {QLatin1String(table), {{column, false, true}}, {}}; }

// Every list's index: the browse lists', the entry forms' drop-down lists of
// values already used, the outstanding report's, and the change log's narrowed
// to a table or a login.
// An index whose terms begin another's is served by the other.
std::vector<ListIndex> listIndexes() {
  std::vector<ListIndex> all = viewListIndexes();
  for (const char* column : {"inqnum", "client", "area"}) all.push_back(folded("tinquiry", QLatin1String(column)));
  all.push_back(folded("taddressbook", QStringLiteral("state")));
  for (const Category& category : categories()) all.push_back(folded("titeminq", category.makeColumn()));
  all.push_back(outstandingReportIndex());
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
