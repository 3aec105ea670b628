// What the check finds when the database is changed around the program: each
// kind of tampering a console tool allows, a log of the first form kept and
// verified after the upgrade, and the witnesses of the log's head.
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/layout/chaincheck.h"
#include "store/layout/changelogcheck.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "store/witnesses.h"
#include "tests/support/earlierlayout.h"
#include "tests/support/testdatabase.h"

namespace {

// Letters beyond ASCII and the characters the log escapes, in one name.
const QString kLetterhead = QStringLiteral("ŚRĪ GAṆEŚA | PUMPS > \\ 2");

// A few documents, each stored through the store and so logged.
void storeDocuments(TestDatabase& db) {
  for (const char* number : {"I-1", "I-2", "I-3"})
    RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", number}, {"client", "ACME"}, {"brate", 100}});
  RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", "I-9"}, {"client", kLetterhead}});
  RecordSet second = RecordSet::openWhere(db.connection(), "tinquiry", "inqnum = 'I-2'", {});
  second.setValue("brate", 250);
  second.updateBatch();
}

QString problemsOf(TestDatabase& db) {
  const DatabaseCheck report = checkDatabase(db.connection());
  return (report.brokenChains + report.logProblems).join('\n');
}

QString triggerDrop(const QString& name, const QString& table) {
  return testingServer() ? QString("DROP TRIGGER %1 ON %2").arg(name, table) : QString("DROP TRIGGER %1").arg(name);
}

// A trigger of the same name that lets everything pass.
QString harmlessTrigger(const QString& name) {
  return testingServer() ? QString("CREATE OR REPLACE FUNCTION %1_run() RETURNS trigger LANGUAGE plpgsql AS $b$ BEGIN "
                                   "RETURN NEW; END $b$").arg(name)
                         : QString("DROP TRIGGER %1; CREATE TRIGGER %1 BEFORE UPDATE ON tchangelog BEGIN SELECT 1; END").arg(name);
}

QStringList guardsOff() {
  QStringList statements;
  for (const char* guard : {"tchangelog_no_update", "tchangelog_no_delete"}) statements << triggerDrop(guard, "tchangelog");
  if (testingServer())
    statements << triggerDrop("tchangelog_no_delete_truncate", "tchangelog")
               << triggerDrop("tchangeloghighwater_no_delete", "tchangeloghighwater")
               << triggerDrop("tchangeloghighwater_only_up", "tchangeloghighwater");
  return statements;
}

void run(TestDatabase& db, const QStringList& statements) {
  for (const QString& statement : statements) db.connection().execute(statement);
}

// The login of one entry changed, and every seal from it on computed again,
// as anyone with the program's sources could.
void rewriteHistory(TestDatabase& db, qint64 from) {
  run(db, guardsOff());
  db.connection().execute(QString("UPDATE tchangelog SET login = 'forger' WHERE pkeychangelog = %1").arg(from));
  Statement entries(db.connection(), "SELECT pkeychangelog, changedat, login, source, tablename, rowkey, number, kind, "
                                     "summary, changes, seal, rowdigest FROM tchangelog ORDER BY pkeychangelog");
  QString previous;
  QList<QPair<qint64, QString>> seals;
  while (entries.step()) {
    const ChangeEntry entry{entries.value(1).toString(), entries.value(2).toString(), entries.value(3).toString(),
                            entries.value(4).toString(), entries.value(5).toLongLong(), entries.value(6),
                            entries.value(7).toString(), entries.value(8).toString(), entries.value(9).toString(),
                            entries.value(11).toString()};
    previous = entries.value(0).toLongLong() >= from ? entry.seal(previous) : entries.value(10).toString();
    seals << qMakePair(entries.value(0).toLongLong(), previous);
  }
  for (const auto& [key, seal] : seals)
    db.connection().execute(QString("UPDATE tchangelog SET seal = '%1' WHERE pkeychangelog = %2").arg(seal).arg(key));
}

}  // namespace

class TamperingTest : public QObject {
  Q_OBJECT

 private slots:
  void eachKindOfTamperingIsFound_data();
  void eachKindOfTamperingIsFound();
  void aRewrittenHistoryBeforeAWitnessIsFound();
  void aLogOfTheFirstFormIsKeptAndVerified();
};

void TamperingTest::eachKindOfTamperingIsFound_data() {
  QTest::addColumn<QStringList>("statements");
  QTest::addColumn<QString>("found");
  const QString highWater = testingServer() ? "DELETE FROM tchangeloghighwater"
                                            : "DELETE FROM sqlite_sequence WHERE name = 'tchangelog'";
  QTest::newRow("a value changed") << QStringList{"UPDATE tinquiry SET brate = 999 WHERE inqnum = 'I-3'"}
                                   << "brate holds \"999\", but the change log last wrote \"100\"";
  QTest::newRow("a name in other letters changed")
      << QStringList{"UPDATE tinquiry SET client = 'ŚRĪ GANESA' WHERE inqnum = 'I-9'"}
      << QString("client holds \"ŚRĪ GANESA\", but the change log last wrote \"%1\"").arg(kLetterhead);
  QTest::newRow("a row inserted without its entry") << QStringList{"INSERT INTO tinquiry (inqnum) VALUES ('GHOST')"}
                                                    << "has no entry in the change log";
  QTest::newRow("a row deleted") << QStringList{"DELETE FROM tinquiry WHERE inqnum = 'I-1'"}
                                 << "was removed behind the program's back";
  QTest::newRow("the whole log deleted") << guardsOff() + QStringList{"DELETE FROM tchangelog", highWater}
                                         << "has no entry in the change log";
  QTest::newRow("the log's table dropped") << QStringList{"DROP TABLE tchangelog" + QString(testingServer() ? " CASCADE" : "")}
                                           << "change log: it is missing";
  QTest::newRow("a guard dropped") << QStringList{triggerDrop("tchangelog_no_delete", "tchangelog")}
                                   << "trigger tchangelog.tchangelog_no_delete is missing";
  QTest::newRow("a guard that does nothing") << QStringList{harmlessTrigger("tchangelog_no_update")}
                                             << "tchangelog_no_update was altered";
  QTest::newRow("an open-list trigger dropped") << QStringList{triggerDrop("open_quotation_1", "tinquiry")}
                                                << "open_quotation_1 is missing";
}

void TamperingTest::eachKindOfTamperingIsFound() {
  QFETCH(QStringList, statements);
  QFETCH(QString, found);
  TestDatabase db;
  storeDocuments(db);
  QCOMPARE(problemsOf(db), QString());
  // The file names its triggers alone, the server with their table.
  if (!testingServer()) found.replace("tchangelog.tchangelog_no_delete", "tchangelog_no_delete");
  run(db, statements);
  const QString problems = problemsOf(db);
  QVERIFY2(problems.contains(found), qPrintable(problems));
}

// A forger who recomputes every seal after the entry he changed leaves an
// unbroken chain: only an earlier witness of the head tells.
void TamperingTest::aRewrittenHistoryBeforeAWitnessIsFound() {
  TestDatabase db;
  storeDocuments(db);
  const DatabaseCheck checked = checkDatabase(db.connection());
  QVERIFY(checked.headSound);
  QVERIFY(!recordWitness(db.connection().address(), "check", checked.headKey, checked.headSeal).isEmpty());
  RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", "I-4"}});
  QCOMPARE(changeLogHeadProblems(db.connection()), QStringList());

  rewriteHistory(db, 2);
  const QString problems = changeLogProblems(db.connection()).join('\n');
  QVERIFY2(problems.contains(QString("entry %1 is not the one witnessed on").arg(checked.headKey)), qPrintable(problems));
  QVERIFY(!problems.contains("was altered"));  // every seal agrees: the chain alone would not tell
  QVERIFY(changeLogHeadProblems(db.connection()).value(0).contains("rewritten"));

  // A database made anew at the same place starts a history of its own.
  startNewHistory(db.connection().address(), "restore");
  QCOMPARE(changeLogProblems(db.connection()), QStringList());
}

// A database of the previous data version keeps its entries as they were:
// sealed over their summaries, without digests. They are still verified, and
// rows written after the upgrade are logged in the compact form.
void TamperingTest::aLogOfTheFirstFormIsKeptAndVerified() {
  TestDatabase db;
  Connection& c = db.connection();
  const SqlDialect& dialect = c.dialect();
  run(db, {"DROP TABLE tchangelog" + QString(testingServer() ? " CASCADE" : ""),
           QString("CREATE TABLE tchangelog (%1, changedat %2 NOT NULL, login %2 NOT NULL, source %2 NOT NULL, "
                   "tablename %2 NOT NULL, rowkey BIGINT NOT NULL, number %2, kind %2 NOT NULL, summary %2 NOT NULL, "
                   "changes %2 NOT NULL, seal %2 NOT NULL)")
               .arg(dialect.changeLogKeyDefinition(), dialect.textType()),
           "CREATE INDEX ix_tchangelog_number ON tchangelog (lower(trim(number)))",
           "CREATE INDEX ix_tchangelog_row ON tchangelog (tablename, rowkey)"});
  for (const char* event : {"UPDATE", "DELETE"})
    run(db, dialect.createRefusal(QString("tchangelog_no_%1").arg(QString(event).toLower()), event, "tchangelog",
                                  "the change log cannot be changed"));
  run(db, dialect.createChangeLogHighWater());
  QString previous;
  qint64 key = 0;
  for (const char* number : {"OLD-1", "OLD-2"}) {
    c.execute(QString("INSERT INTO tinquiry (inqnum, client) VALUES ('%1', 'ACME')").arg(number));
    const qint64 row = db.scalar("SELECT max(pkeyinq) FROM tinquiry").toLongLong();
    const ChangeEntry entry{"2025-01-02 10:00:00", "clerk", "frminquiry", "tinquiry", row, number, "NEW",
                            QString("inqnum: %1; client: ACME").arg(number),
                            QString("[[\"inqnum\",null,\"%1\"],[\"client\",null,\"ACME\"]]").arg(number), {}};
    const QString seal = entry.seal(previous);
    Statement insert(c, "INSERT INTO tchangelog (pkeychangelog, changedat, login, source, tablename, rowkey, number, "
                        "kind, summary, changes, seal) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bindAll({++key, entry.changedAt, entry.login, entry.source, entry.table, entry.rowKey, entry.number,
                    entry.kind, entry.summary, entry.changes, seal});
    insert.step();
    previous = seal;
  }
  takeBackListOrders(c);
  dialect.setSchemaVersion(c, 4);

  auto upgraded = Connection::open(db.path());
  QCOMPARE(problemsOf(db), QString());
  RecordSet old = RecordSet::openWhere(*upgraded, "tinquiry", "inqnum = 'OLD-2'", {});
  old.setValue("client", "ACME PUMPS");
  old.updateBatch();
  QCOMPARE(problemsOf(db), QString());
  // The sign-in slots, stored before this log began, got their entry at the upgrade.
  QCOMPARE(db.joined("SELECT tablename || ' ' || source FROM tchangelog WHERE rowdigest IS NOT NULL ORDER BY pkeychangelog"),
           QString("tloginpassword upgrade to data version %1,tinquiry ").arg(kSchemaVersion));

  run(db, guardsOff());
  run(db, {"UPDATE tinquiry SET client = 'FORGED' WHERE inqnum = 'OLD-1'",
           "UPDATE tchangelog SET summary = 'inqnum: OLD-2' WHERE pkeychangelog = 2"});
  const QString problems = changeLogProblems(*upgraded).join('\n');
  QVERIFY2(problems.contains("client holds \"FORGED\", but the change log last wrote \"ACME\""), qPrintable(problems));
  QVERIFY2(problems.contains("change log: entry 2 was altered"), qPrintable(problems));
}

QTEST_GUILESS_MAIN(TamperingTest)
#include "tst_tampering.moc"
