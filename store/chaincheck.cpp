#include "store/chaincheck.h"

#include "store/connection.h"
#include "store/statement.h"

namespace {

struct ChainLink {
  const char* child;
  const char* column;
  const char* parent;
};

// Each child row must find its parent by the document number it carries.
constexpr ChainLink kLinks[] = {
    {"tquote", "inqnum", "tinquiry"},     {"tpo", "quotenum", "tquote"},
    {"tinvoice", "ponum", "tpo"},         {"taddressbook", "inqnum", "tinquiry"},
    {"titeminq", "inqnum", "tinquiry"},   {"titemdescom", "inqnum", "tinquiry"},
};

}  // namespace

DatabaseCheck checkDatabase(Connection& connection) {
  DatabaseCheck report;
  Statement integrity(connection, QStringLiteral("PRAGMA integrity_check"));
  QStringList lines;
  while (integrity.step()) lines << integrity.value(0).toString();
  report.integrity = lines.join('\n');

  for (const ChainLink& link : kLinks) {
    const QString sql = QStringLiteral(
                            "SELECT c.rowid, c.\"%2\" FROM \"%1\" c WHERE NOT EXISTS "
                            "(SELECT 1 FROM \"%3\" p WHERE lower(p.\"%2\") = lower(c.\"%2\")) ORDER BY c.rowid")
                            .arg(QLatin1String(link.child), QLatin1String(link.column), QLatin1String(link.parent));
    Statement orphans(connection, sql);
    while (orphans.step())
      report.brokenChains << QStringLiteral("%1 row %2: %3 \"%4\" has no row in %5")
                                 .arg(QLatin1String(link.child))
                                 .arg(orphans.value(0).toLongLong())
                                 .arg(QLatin1String(link.column), orphans.value(1).toString(), QLatin1String(link.parent));
  }
  return report;
}
