#include "tests/support/earlierlayout.h"

#include <QStringList>

#include "store/categories.h"
#include "store/connection.h"
#include "store/engine/engine.h"
#include "store/layout/schemaobjects.h"
#include "store/queries/listindex.h"
#include "store/queries/reportqueries.h"
#include "store/sqldialect.h"

void takeBackReportIndex(Connection& c) {
  c.execute(QString("DROP INDEX \"%1\"").arg(outstandingReportIndex().name()));
  c.dialect().setSchemaVersion(c, 7);
}

void takeBackFollowUp(Connection& c) {
  takeBackReportIndex(c);
  c.execute(QStringLiteral("DROP INDEX ix_tinvoice_unpaid_due"));
  c.execute(QStringLiteral("DROP TABLE tfollowupopen"));
  c.execute(QStringLiteral("DROP TABLE tfollowuptotal"));
  for (const QString& trigger : schemaObjectsOf(c).triggers.keys()) {
    if (!trigger.contains(QLatin1String("followup_"))) continue;
    const QStringList onTable = trigger.split('.');  // the server names them table.trigger
    c.execute(onTable.size() == 2 ? QStringLiteral("DROP TRIGGER %1 ON %2").arg(onTable[1], onTable[0])
                                  : QStringLiteral("DROP TRIGGER ") + trigger);
  }
  c.dialect().setSchemaVersion(c, 6);
}

void takeBackListOrders(Connection& connection) {
  takeBackFollowUp(connection);
  const bool server = connection.engine() == EngineKind::Server;
  const QStringList triggerTables = {"titemdescom", "titemdescom", "titemdescom", "tinquiry", "tinquiry", "tinquiry"};
  for (int n = 1; n <= int(triggerTables.size()); ++n) {
    const QString name = QString("makes_%1").arg(n);
    connection.execute(server ? QString("DROP TRIGGER %1 ON %2").arg(name, triggerTables[n - 1])
                              : QString("DROP TRIGGER %1").arg(name));
    if (server) connection.execute(QString("DROP FUNCTION %1_run()").arg(name));
  }
  connection.execute("DROP TABLE tinquirymakes");
  for (const QString& name : connection.dialect().indexNames(connection))
    if (name.startsWith(QLatin1String(kListIndexPrefix))) connection.execute(QString("DROP INDEX \"%1\"").arg(name));
  QStringList plain = {"tinquiry.client", "tinquiry.area", "taddressbook.state"};
  for (const Category& category : categories()) plain << "titeminq." + category.makeColumn();
  for (const QString& column : plain)
    connection.execute(QString("CREATE INDEX \"ix_%1_%2\" ON %1 (\"%2\")").arg(column.section('.', 0, 0), column.section('.', 1)));
  connection.execute("CREATE INDEX \"ix_tinquiry_order_client_inqdate_desc_inqnum\" ON tinquiry (client, inqdate DESC, inqnum)");
  connection.execute("DROP INDEX ix_topenparent_list");
  connection.execute("CREATE INDEX ix_topenparent_list ON topenparent (link, number)");
  connection.dialect().setSchemaVersion(connection, 5);
}
