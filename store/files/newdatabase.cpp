#include "store/files/newdatabase.h"

#include <QFileInfo>

#include "store/basics/completefile.h"
#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/engine/serverlocation.h"
#include "store/layout/newschema.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/transaction.h"
#include "store/witnesses.h"

bool awaitsCreation(const QString& location) {
  if (!isServerLocation(location)) return !QFileInfo::exists(location);
  try {
    Connection::open(location);
    return false;
  } catch (const DbError& error) {
    return error.kind() == DbErrorKind::EmptyFile;
  }
}

void createDatabase(const QString& location, const IndexesBuilt& indexesBuilt,
                    const std::function<void(Connection&)>& fill) {
  const auto create = [&](const QString& where) {
    auto connection = Connection::open(where, Connection::OpenMode::CreateNew);
    connection->setAuthor({QStringLiteral("vantora-db"), QStringLiteral("vantora-db")});
    connection->dialect().prepareBulkLoad(*connection);
    Transaction all(*connection);
    createTables(*connection);
    fill(*connection);
    // Indexes and open lists are built faster over the rows than row by row.
    createDerivedObjects(*connection, indexesBuilt);
    connection->dialect().refreshStatistics(*connection);
    all.commit();
  };
  try {
    if (isServerLocation(location))
      create(location);
    else
      writeCompleteFile(location, create);
    startNewHistory(location, QStringLiteral("new database"));
  } catch (const DbError& error) {
    throw DbError(error.kind(),
                  QStringLiteral("No database was created at %1: %2").arg(shownServerLocation(location), error.message()));
  }
}

void createEmptyDatabase(const QString& location, const QStringList& slotValues, const IndexesBuilt& indexesBuilt) {
  QVariantList values;
  for (const QString& value : slotValues) values << value;
  createDatabase(location, indexesBuilt, [&values](Connection& connection) { RowWriter(connection, "tloginpassword").append(values); });
}
