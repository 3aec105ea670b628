#include "store/layout/chaincheck.h"

#include "store/connection.h"
#include "store/documentchain.h"
#include "store/layout/changelogcheck.h"
#include "store/layout/followuptotals.h"
#include "store/layout/inquirymakes.h"
#include "store/layout/schemaobjects.h"
#include "store/layout/snapshot.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

struct Reference {
  QString child;
  QString column;
  QString parent;
  QString parentNumber;
};

// Each child row must find its parent by the number it carries; the item and
// summary rows belong to an inquiry.
std::vector<Reference> references() {
  std::vector<Reference> all;
  for (const ChainStep& s : chainSteps()) all.push_back({s.childTable, s.childColumn, s.parentTable, s.parentNumber});
  all.push_back({"titeminq", "inqnum", "tinquiry", "inqnum"});
  all.push_back({"titemdescom", "inqnum", "tinquiry", "inqnum"});
  return all;
}

void findOrphans(Connection& connection, const Reference& r, QStringList& report) {
  // One index seek per child row: the parent's number index is on lower(trim(...)).
  const QString key = SqlDialect::rowKey(tableNamed(r.child));
  Statement orphans(connection, QStringLiteral("SELECT c.\"%5\", c.\"%2\" FROM \"%1\" c WHERE NOT EXISTS (SELECT 1 FROM "
                                               "\"%3\" p WHERE lower(trim(p.\"%4\")) = lower(trim(c.\"%2\"))) ORDER BY "
                                               "c.\"%5\"")
                                    .arg(r.child, r.column, r.parent, r.parentNumber, key));
  while (orphans.step())
    report << QStringLiteral("%1 row %2: %3 \"%4\" has no row in %5")
                  .arg(r.child)
                  .arg(orphans.value(0).toLongLong())
                  .arg(r.column, orphans.value(1).toString(), r.parent);
}

// The open-document lists are kept by triggers; say so if they ever disagree
// with the rows themselves.
void compareOpenLists(Connection& connection, QStringList& report) {
  for (const ChainStep& s : chainSteps()) {
    Statement counts(connection,
                     QStringLiteral("SELECT (SELECT count(*) FROM topenparent WHERE link = '%1'), (SELECT count(*) FROM "
                                    "\"%2\" p WHERE trim(coalesce(p.\"%3\", '')) <> '' AND NOT EXISTS (SELECT 1 FROM "
                                    "\"%4\" c WHERE lower(trim(c.\"%5\")) = lower(trim(p.\"%3\"))))")
                         .arg(s.key, s.parentTable, s.parentNumber, s.childTable, s.childColumn));
    if (counts.step() && counts.value(0) != counts.value(1))
      report << QStringLiteral("the list of open documents for %1 holds %2 rows, but %3 are open")
                    .arg(s.childTable)
                    .arg(counts.value(0).toLongLong())
                    .arg(counts.value(1).toLongLong());
  }
}

}  // namespace

DatabaseCheck checkDatabase(Connection& connection) {
  DatabaseCheck report;
  const SchemaObjects expected = expectedSchemaObjects(connection);
  if (!expected.known)
    report.notes << QStringLiteral("the program's triggers and indexes were not compared: that needs the right to "
                                   "create a schema, which the tables' owner has");
  const std::vector<Witness> witnesses = witnessesOf(connection.address());
  readConsistentSnapshot(connection, [&](Connection& snapshot) {
    report.integrity = snapshot.dialect().integrityCheck(snapshot);
    for (const Reference& r : references()) findOrphans(snapshot, r, report.brokenChains);
    compareOpenLists(snapshot, report.brokenChains);
    compareInquiryMakes(snapshot, report.brokenChains);
    report.brokenChains += followUpTotalProblems(snapshot);
    const ChangeLogCheck log = checkChangeLog(snapshot, witnesses);
    report.logProblems = log.problems + schemaObjectProblems(expected, schemaObjectsOf(snapshot));
    report.headKey = log.headKey;
    report.headSeal = log.headSeal;
    report.headSound = log.chainSound;
  });
  return report;
}
