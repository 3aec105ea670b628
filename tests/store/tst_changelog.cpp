// The change log: what each write leaves in it, that a change and its entry
// are stored together, what the check finds after tampering, and the filters.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>
#include <deque>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/documentchain.h"
#include "store/layout/chaincheck.h"
#include "store/layout/changelogcheck.h"
#include "store/logins.h"
#include "store/queries/changelogquery.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "tests/support/child.h"
#include "tests/support/testdatabase.h"

namespace {

QStringList summaries(TestDatabase& db, const QString& table) {
  QStringList found;
  Statement entries(db.connection(), "SELECT kind || ' ' || coalesce(number, '') || ' ', changes FROM tchangelog "
                                     "WHERE tablename = ? ORDER BY pkeychangelog");
  entries.bind(1, table);
  while (entries.step()) found << entries.value(0).toString() + changeSummary(entries.value(1).toString());
  return found;
}

RecordSet invoice(TestDatabase& db, const QString& number) {
  return RecordSet::openWhere(db.connection(), "tinvoice", "invoicenum = ?", {number});
}

void dropTrigger(TestDatabase& db, const QString& name, const QString& table) {
  db.connection().execute(testingServer() ? QString("DROP TRIGGER IF EXISTS %1 ON %2").arg(name, table)
                                          : QString("DROP TRIGGER IF EXISTS %1").arg(name));
}

// The raw database as a console tool leaves it: the log's own guards dropped first.
void tamper(TestDatabase& db, const QString& sql) {
  for (const char* guard : {"tchangelog_no_update", "tchangelog_no_delete", "tchangelog_no_delete_truncate"})
    dropTrigger(db, guard, "tchangelog");
  db.connection().execute(sql);
}

int rows(TestDatabase& db, const ChangeFilter& filter) {
  auto list = wholeList(db.connection(), changeLogQuery(filter));
  int count = 0;
  while (list->step()) ++count;
  return count;
}

}  // namespace

class ChangeLogTest : public QObject {
  Q_OBJECT

 private slots:
  void eachWriteLeavesExactlyItsEntries();
  void aChangeAndItsEntryAreStoredTogether();
  void theCheckFindsTampering();
  void aCheckWhileClerksSaveFindsOnlyRealDamage();
  void filtersAndMaskedPasswords();
};

void ChangeLogTest::eachWriteLeavesExactlyItsEntries() {
  TestDatabase db;
  db.connection().setAuthor({"ravi", "frmeditdata"});
  RecordSet added = RecordSet::openForAppend(db.connection(), "tinvoice");
  added.addNew();
  added.setValues({{"invoicenum", "V-1"}, {"invoiceamount", 700}, {"paymentstatus", "NO"}});
  added.updateBatch();
  QCOMPARE(summaries(db, "tinvoice"), QStringList({"NEW V-1 invoicenum: V-1; invoiceamount: 700; paymentstatus: NO"}));

  RecordSet edited = invoice(db, "V-1");
  edited.setValues({{"paymentstatus", "yes"}, {"invoiceamount", 750}});
  edited.updateBatch();
  QCOMPARE(summaries(db, "tinvoice").last(), QString("CHANGED V-1 invoiceamount: 700 -> 750; paymentstatus: NO -> YES"));
  QCOMPARE(db.scalar("SELECT login || ' ' || source FROM tchangelog ORDER BY pkeychangelog DESC LIMIT 1").toString(),
           QString("ravi frmeditdata"));

  // Refused: changed elsewhere meanwhile. No entry.
  RecordSet stale = invoice(db, "V-1");
  RecordSet other = invoice(db, "V-1");
  other.setValue("reason", "part paid");
  other.updateBatch();
  stale.setValue("reason", "disputed");
  QVERIFY_THROWS_EXCEPTION(DbError, stale.updateBatch());
  QCOMPARE(summaries(db, "tinvoice").size(), 3);

  // An answered inquiry is marked by the store, and the mark is logged.
  RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", "I-1"}, {"quotesendstatus", "NO"}});
  QVERIFY(markParentAnswered(db.connection(), Step::Quotation, "i-1"));
  QCOMPARE(summaries(db, "tinquiry"),
           QStringList({"NEW I-1 inqnum: I-1; quotesendstatus: NO", "CHANGED I-1 quotesendstatus: NO -> YES"}));
  QVERIFY(changeLogProblems(db.connection()).isEmpty());
}

void ChangeLogTest::aChangeAndItsEntryAreStoredTogether() {
  TestDatabase db;
  RowWriter(db.connection(), "tinvoice").append(QVariantHash{{"invoicenum", "V-1"}, {"invoiceamount", 0}});

  // The entry cannot be written: the change is taken back with it.
  for (const QString& statement : db.connection().dialect().createRefusal("refuse", "INSERT", "tchangelog", "full"))
    db.connection().execute(statement);
  RecordSet edited = invoice(db, "V-1");
  edited.setValue("invoiceamount", 10);
  QVERIFY_THROWS_EXCEPTION(DbError, edited.updateBatch());
  QCOMPARE(db.scalar("SELECT invoiceamount FROM tinvoice").toInt(), 0);
  dropTrigger(db, "refuse", "tchangelog");
  edited.updateBatch();  // the typed value is still there to store
  QCOMPARE(db.scalar("SELECT invoiceamount FROM tinvoice").toInt(), 10);

  // A writer killed at any moment leaves every change with its entry.
  const pid_t writer = fork();
  if (writer == 0) {
    auto connection = Connection::open(db.path());
    for (int amount = 11;; ++amount) {
      RecordSet row = RecordSet::openWhere(*connection, "tinvoice", "invoicenum = 'V-1'", {});
      row.setValue("invoiceamount", amount);
      row.updateBatch();
    }
  }
  QTest::qWait(300);
  ::kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  auto after = Connection::open(db.path());
  QVERIFY(db.scalar("SELECT invoiceamount FROM tinvoice").toInt() > 10);
  QCOMPARE(changeLogProblems(*after), QStringList());
  QCOMPARE(db.scalar("SELECT count(*) FROM tchangelog WHERE tablename = 'tinvoice'").toInt(),
           db.scalar("SELECT invoiceamount FROM tinvoice").toInt() - 10 + 2);  // NEW, 0 -> 10, then one per write
}

void ChangeLogTest::theCheckFindsTampering() {
  TestDatabase db;
  for (const char* number : {"V-1", "V-2", "V-3"})
    RowWriter(db.connection(), "tinvoice").append(QVariantHash{{"invoicenum", number}, {"paymentstatus", "NO"}});
  QCOMPARE(changeLogProblems(db.connection()), QStringList());
  const qint64 v2 = db.scalar("SELECT pkeychangelog FROM tchangelog WHERE number = 'V-2'").toLongLong();

  tamper(db, "UPDATE tinvoice SET paymentstatus = 'YES' WHERE invoicenum = 'V-3'");
  QVERIFY(changeLogProblems(db.connection()).join('\n').contains("paymentstatus holds \"YES\", but the change log last wrote \"NO\""));
  tamper(db, "UPDATE tinvoice SET paymentstatus = 'NO'");

  tamper(db, "UPDATE tchangelog SET changes = '|paymentstatus=YES' WHERE number = 'V-2'");
  QCOMPARE(changeLogProblems(db.connection()).value(0), QString("change log: entry %1 was altered").arg(v2));
  tamper(db, "DELETE FROM tchangelog WHERE number = 'V-2'");
  QCOMPARE(changeLogProblems(db.connection()).value(0), QString("change log: entries %1 to %1 were removed").arg(v2));
  tamper(db, "DELETE FROM tchangelog WHERE number = 'V-3'");
  tamper(db, "DELETE FROM tchangelog WHERE number = 'V-1'");
  QVERIFY(changeLogProblems(db.connection()).value(0).contains("were removed"));

  // The program itself can neither change nor remove an entry.
  TestDatabase guarded;
  QVERIFY_THROWS_EXCEPTION(DbError, guarded.connection().execute("DELETE FROM tchangelog"));
  QVERIFY_THROWS_EXCEPTION(DbError, guarded.connection().execute("UPDATE tchangelog SET login = 'x'"));
}

// Two clerks save new inquiries and correct old ones while the check runs again
// and again: it judges one moment of the database, so it never takes their
// work for damage, and it still finds a real forgery made meanwhile.
void ChangeLogTest::aCheckWhileClerksSaveFindsOnlyRealDamage() {
  TestDatabase db;
  std::deque<Child> clerks;
  for (int clerk = 0; clerk < 2; ++clerk)
    clerks.emplace_back([&db, clerk] {
      auto connection = Connection::open(db.path());
      connection->setAuthor({QString("clerk%1").arg(clerk), "test"});
      for (int n = 0;;) {
        try {
          Transaction save(*connection);
          const QString number = QString("C%1-%2").arg(clerk).arg(n);
          RowWriter(*connection, "tinquiry").append(QVariantHash{{"inqnum", number}, {"brate", n}});
          RowWriter(*connection, "titemdescom").append(QVariantHash{{"inqnum", number}, {"itemdes", "  PUMP"}});
          RecordSet first = RecordSet::openWhere(*connection, "tinquiry", "inqnum = ?", {QString("C%1-0").arg(clerk)});
          first.setValue("brate", n);
          first.updateBatch();
          save.commit();
          ++n;
          QThread::msleep(5);  // a clerk's next SAVE comes a moment later
        } catch (const DbError& error) {
          if (error.kind() != DbErrorKind::Locked) throw;  // busy a moment: the clerk saves again
        }
      }
      return 0;
    });
  QVERIFY(QTest::qWaitFor([&] { return db.count("tinquiry") >= 20; }, 60'000));

  for (int round = 0; round < 20; ++round) {
    const DatabaseCheck report = checkDatabase(*Connection::open(db.path()));
    QVERIFY2(report.sound(), qPrintable(report.integrity + '\n' + (report.brokenChains + report.logProblems).join('\n')));
  }
  for (Child& clerk : clerks) QVERIFY(clerk.running());

  db.connection().execute("UPDATE tinquiry SET brate = 999999 WHERE inqnum = 'C0-1'");
  const DatabaseCheck forged = checkDatabase(*Connection::open(db.path()));
  QVERIFY2(forged.logProblems.join('\n').contains("brate holds \"999999\""), qPrintable(forged.logProblems.join('\n')));
}

void ChangeLogTest::filtersAndMaskedPasswords() {
  TestDatabase db;
  for (const char* number : {"A'%_\\1", "A1", "B-1"}) {
    db.connection().setAuthor({number[0] == 'B' ? "ravi" : "clerk", "test"});
    RowWriter(db.connection(), "tquote").append(QVariantHash{{"quotenum", number}});
  }
  QCOMPARE(rows(db, {" a'%_\\1 ", {}, {}, {}, {}}), 1);  // exactly itself, trimmed, any case
  QCOMPARE(rows(db, {{}, "tquote", "clerk", {}, {}}), 2);
  QCOMPARE(rows(db, {{}, "tquote", {}, QDate::currentDate(), QDate::currentDate()}), 3);
  QCOMPARE(rows(db, {{}, {}, {}, QDate::currentDate().addDays(1), {}}), 0);
  auto newest = wholeList(db.connection(), changeLogQuery({}));
  QVERIFY(newest->step());
  QCOMPARE(newest->value(6).toString(), QString("B-1"));

  // The administrator's change of a password: logged, never its text.
  db.connection().setAuthor({"admin", "frmadmintask"});
  RecordSet signInSlots = openSignInSlots(db.connection());
  signInSlots.setValue("user1password", "s3cret");
  signInSlots.updateBatch();
  const QString all = db.joined("SELECT summary || changes FROM tchangelog", " ");
  QVERIFY(!all.contains("s3cret") && !all.contains("clerkpw") && !all.contains("adminpw"));
  QCOMPARE(summaries(db, "tloginpassword").last(), QString("CHANGED  user1password: (hidden) -> changed"));
  QCOMPARE(changeLogProblems(db.connection()), QStringList());
}

QTEST_MAIN(ChangeLogTest)
#include "tst_changelog.moc"
