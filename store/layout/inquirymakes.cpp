#include "store/layout/inquirymakes.h"

#include <QList>
#include <QPair>

#include "store/connection.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

const char kPairs[] = "lower(trim(s.inqnum)) = lower(trim(i.inqnum))";
const char kInto[] = "INSERT INTO tinquirymakes (pkey, pkeyinq, manf, client, inqnum) ";

// The pairs of a summary row written just now, and of an inquiry.
QString pairsOfSummary() {
  return QString::fromLatin1(kInto) + QStringLiteral("SELECT new.pkey, i.pkeyinq, new.manf, i.client, i.inqnum FROM "
                                                     "tinquiry i WHERE lower(trim(new.inqnum)) = lower(trim(i.inqnum));");
}
QString pairsOfInquiry() {
  return QString::fromLatin1(kInto) + QStringLiteral("SELECT s.pkey, new.pkeyinq, s.manf, new.client, new.inqnum FROM "
                                                     "titemdescom s WHERE lower(trim(s.inqnum)) = lower(trim(new.inqnum));");
}

}  // namespace

void createInquiryMakes(Connection& connection) {
  const SqlDialect& dialect = connection.dialect();
  const QString text = dialect.textType();
  // Keyed by the summary row: its number is stored once, so it has one inquiry at most.
  connection.execute(QStringLiteral("CREATE TABLE tinquirymakes (%1, pkeyinq BIGINT NOT NULL, manf %2, client %2, inqnum %2)")
                         .arg(dialect.columnDefinition({QStringLiteral("pkey"), ColumnType::Key}), text));
  connection.execute(QStringLiteral("CREATE INDEX ix_tinquirymakes_inquiry ON tinquirymakes (pkeyinq)"));
  const QString dropSummary = QStringLiteral("DELETE FROM tinquirymakes WHERE pkey = old.pkey;");
  const QString dropInquiry = QStringLiteral("DELETE FROM tinquirymakes WHERE pkeyinq = old.pkeyinq;");
  const QList<QPair<QString, QString>> triggers = {
      {QStringLiteral("AFTER INSERT ON titemdescom"), pairsOfSummary()},
      {QStringLiteral("AFTER UPDATE OF manf, inqnum ON titemdescom"), dropSummary + pairsOfSummary()},
      {QStringLiteral("AFTER DELETE ON titemdescom"), dropSummary},
      {QStringLiteral("AFTER INSERT ON tinquiry"), pairsOfInquiry()},
      {QStringLiteral("AFTER UPDATE OF client, inqnum ON tinquiry"), dropInquiry + pairsOfInquiry()},
      {QStringLiteral("AFTER DELETE ON tinquiry"), dropInquiry},
  };
  int n = 0;
  for (const auto& [when, body] : triggers)
    for (const QString& statement : dialect.createTrigger(QStringLiteral("makes_%1").arg(++n), when, body))
      connection.execute(statement);
  connection.execute(QString::fromLatin1(kInto) +
                     QStringLiteral("SELECT s.pkey, i.pkeyinq, s.manf, i.client, i.inqnum FROM titemdescom s JOIN tinquiry i ON %1")
                         .arg(QString::fromLatin1(kPairs)));
}

void compareInquiryMakes(Connection& connection, QStringList& report) {
  Statement differing(connection,
                      QStringLiteral("SELECT count(*) FROM (SELECT s.pkey, i.pkeyinq, s.manf, i.client, i.inqnum FROM "
                                     "titemdescom s JOIN tinquiry i ON %1 EXCEPT SELECT pkey, pkeyinq, manf, client, "
                                     "inqnum FROM tinquirymakes) AS missing")
                          .arg(QString::fromLatin1(kPairs)));
  Statement extra(connection,
                  QStringLiteral("SELECT count(*) FROM (SELECT pkey, pkeyinq, manf, client, inqnum FROM "
                                 "tinquirymakes EXCEPT SELECT s.pkey, i.pkeyinq, s.manf, i.client, i.inqnum FROM titemdescom "
                                 "s JOIN tinquiry i ON %1) AS extra")
                      .arg(QString::fromLatin1(kPairs)));
  const qint64 missing = differing.step() ? differing.value(0).toLongLong() : 0;
  const qint64 surplus = extra.step() ? extra.value(0).toLongLong() : 0;
  if (missing + surplus > 0)
    report << QStringLiteral("the list of inquiries by make lacks %1 and holds %2 pairs that are not in the rows")
                  .arg(missing)
                  .arg(surplus);
}
