// Opening a connection brings an older database up to date, so it is defined
// here, above the record core, beside the data version it checks.
#include "store/connection.h"
#include "store/layout/schemaversion.h"

std::unique_ptr<Connection> Connection::open(const QString& location, OpenMode mode) {
  return openWith(location, mode, requireCurrentSchema);
}
