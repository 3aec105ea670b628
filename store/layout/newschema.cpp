#include "store/layout/newschema.h"

#include <QStringList>

#include "store/changelog.h"
#include "store/connection.h"
#include "store/documentchain.h"
#include "store/indexes.h"
#include "store/layout/followuptotals.h"
#include "store/layout/inquirymakes.h"
#include "store/layout/listindexes.h"
#include "store/queries/followup.h"
#include "store/schema.h"
#include "store/sqldialect.h"

void createSchema(Connection& connection) {
  createTables(connection);
  createDerivedObjects(connection);
}

void createTables(Connection& connection) {
  for (const Table& t : allTables()) {
    QStringList definitions;
    for (const Column& c : t.columns) definitions << connection.dialect().columnDefinition(c);
    if (SqlDialect::rowKey(t) != t.columns.front().name && !connection.dialect().hiddenRowKeyDefinition().isEmpty())
      definitions << connection.dialect().hiddenRowKeyDefinition();
    connection.execute(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, definitions.join(", ")));
  }
  createChangeLog(connection);  // before the first row, which it logs
}

void createDerivedObjects(Connection& connection, const std::function<void(int built, int total)>& progress) {
  createIndexes(connection);
  createFollowUpIndexes(connection);
  createInquiryMakes(connection);  // paired through the number indexes
  createListIndexes(connection, progress);
  createOpenDocumentBookkeeping(connection);
  createFollowUpBookkeeping(connection);
  connection.dialect().setSchemaVersion(connection, kSchemaVersion);
}
