// The server engine with several programs at once: one number raced for,
// a row changed twice, a list and another program's SAVE; and the faults a
// server brings: unreachable, refused, missing, forbidden, gone mid-SAVE, a
// client killed mid-SAVE.
#include <deque>

#include <QRandomGenerator>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/documentchain.h"
#include "store/engine/serverlocation.h"
#include "store/files/backup.h"
#include "store/layout/chaincheck.h"
#include "store/layout/changelogcheck.h"
#include "store/layout/newschema.h"
#include "store/queries/pagedquery.h"
#include "store/queries/viewqueries.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "tests/support/child.h"
#include "tests/support/testdatabase.h"

namespace {

QString randomName() { return QString::number(QRandomGenerator::global()->generate64(), 36); }

// A SAVE of a new inquiry as the form makes it, with its summary row when
// `withSummary`: the number is looked up under the write lock, then stored.
// Without `lookFirst` it is stored straight, as the edit grid does.
// 'S' stored, 'T' found taken, 'D' refused as a duplicate, else the kind.
char saveInquiry(Connection& c, const QString& number, bool withSummary = false, bool lookFirst = true) {
  try {
    Transaction save(c);
    if (lookFirst && numberTaken(c, "tinquiry", "inqnum", number)) return 'T';
    RecordSet inquiry = RecordSet::openForAppend(c, "tinquiry");
    inquiry.addNew();
    inquiry.setValues({{"inqnum", number}, {"client", "ACME"}, {"quotesendstatus", "NO"}});
    inquiry.updateBatch();
    if (withSummary) {
      RecordSet summary = RecordSet::openForAppend(c, "titemdescom");
      summary.addNew();
      summary.setValues({{"inqnum", number}, {"itemdes", "  PUMP"}, {"qty", 2}});
      summary.updateBatch();
    }
    save.commit();
    return 'S';
  } catch (const DbError& error) {
    if (error.kind() == DbErrorKind::Duplicate) return 'D';
    fprintf(stderr, "save %s: %s\n", qPrintable(number), qPrintable(error.message()));
    return char('a' + int(error.kind()));
  }
}

// The DbError `work` throws; a kind of Other saying so when it throws none.
template <typename Work>
DbError failure(Work work) {
  try {
    work();
  } catch (const DbError& error) {
    return error;
  }
  return DbError(DbErrorKind::Other, "went through");
}

// What a clean database says about itself: no broken chain, no log problem.
QStringList problems(const QString& location) {
  auto c = Connection::open(location);
  return checkDatabase(*c).brokenChains + changeLogProblems(*c);
}

// The grants the README gives an office for its clerks' role, for this schema and role.
QStringList readmeGrants(const QString& schema, const QString& role) {
  QFile readme(VANTORA_SOURCE_DIR "/README.md");
  if (!readme.open(QIODevice::ReadOnly)) return {};
  QStringList statements;
  QString statement;
  for (const QString& line : QString::fromUtf8(readme.readAll()).split('\n')) {
    if (line.startsWith("    GRANT "))
      statement = line.trimmed();
    else if (!statement.isEmpty() && line.startsWith("      "))
      statement += ' ' + line.trimmed();
    else
      continue;
    if (statement.endsWith(';')) {
      statements << statement.replace(" SCHEMA public", " SCHEMA " + schema).replace(" TO clerks;", " TO " + role);
      statement.clear();
    }
  }
  return statements;
}

QString quotedName(QString name) { return '"' + name.replace('"', "\"\"") + '"'; }

// An address of the test server whose schema is `schema`, however it is spelled.
QString schemaAddress(const QString& schema) {
  const QString server = qEnvironmentVariable("VANTORA_TEST_SERVER");
  return server + (server.contains('?') ? '&' : '?') + "options=" +
         QString::fromLatin1(QUrl::toPercentEncoding("-csearch_path=" + quotedName(schema)));
}

}  // namespace

class ServerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void aNumberRacedForIsStoredOnce();
  void anotherProgramsSavesReachThisOne();
  void faultsAtOpeningAreNamedWithoutThePassword();
  void aLostConnectionKeepsNothingAndRecovers();
  void aKilledClientLeavesNoPartialChain();
  void aClosedConnectionsSessionServesTheNextOne();
  void aClerksRoleCannotTouchTheBookkeeping();
  void aBackupHoldsThisOfficeOnly();
  void addressesInAnyLetterCaseAndWithoutAHost();
};

void ServerTest::initTestCase() {
  if (!testingServer()) QSKIP("the server engine only: set VANTORA_TEST_ENGINE=server and VANTORA_TEST_SERVER");
}

void ServerTest::aNumberRacedForIsStoredOnce() {
  TestDatabase db;
  constexpr int kWriters = 4, kRounds = 30;
  int done[2];
  QCOMPARE(pipe(done), 0);
  std::deque<Child> writers;
  std::vector<int> goes;  // one pipe each: a shared one would let a quick writer take two turns
  for (int w = 0; w < kWriters; ++w) {
    int go[2];
    QCOMPARE(pipe(go), 0);
    writers.emplace_back([&, w] {
      close(go[1]);
      std::unique_ptr<Connection> c;
      try {
        c = Connection::open(db.path());
      } catch (const DbError&) {  // answered below: the test fails instead of waiting for this writer
      }
      for (int round = 0; round < kRounds; ++round) {
        char outcome;
        if (read(go[0], &outcome, 1) != 1) return 1;
        // The same number as other clerks type it: another letter case, blanks around.
        const QString number = QString("R-%1").arg(round);
        const QString typed = w % 2 ? number : " r-" + QString::number(round) + " ";
        outcome = c ? saveInquiry(*c, typed, false, w < kWriters / 2) : '!';
        if (write(done[1], &outcome, 1) != 1) return 1;
      }
      return 0;
    });
    close(go[0]);
    goes.push_back(go[1]);
  }
  close(done[1]);

  QString outcomes;
  for (int round = 0; round < kRounds; ++round) {
    for (int go : goes) QCOMPARE(write(go, "g", 1), ssize_t(1));
    for (int w = 0; w < kWriters; ++w) {
      char outcome = 0;
      QCOMPARE(read(done[0], &outcome, 1), ssize_t(1));
      outcomes += outcome;
    }
    QCOMPARE(outcomes.count('S'), round + 1);
  }
  for (int go : goes) close(go);
  close(done[0]);
  for (Child& writer : writers) QCOMPARE(writer.exitStatus(), 0);

  // The losers saw the number taken or were refused it, nothing else; a writer storing straight lost each round.
  QCOMPARE(outcomes.count('T') + outcomes.count('D'), kRounds * (kWriters - 1));
  QVERIFY2(outcomes.count('D') >= kRounds, qPrintable(outcomes));
  QCOMPARE(db.count("tinquiry"), qint64(kRounds));
  QCOMPARE(db.scalar("SELECT count(DISTINCT upper(trim(inqnum))) FROM tinquiry").toLongLong(), qint64(kRounds));
  QCOMPARE(problems(db.path()), QStringList());
}

void ServerTest::anotherProgramsSavesReachThisOne() {
  TestDatabase db;
  RowWriter(db.connection(), "tinvoice").append(QVariantHash{{"invoicenum", "V-1"}, {"reason", "open"}});
  RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", "I-1"}, {"client", "ACME"}});

  // Both read the invoice; the other program stores its change first.
  RecordSet mine = RecordSet::openWhere(db.connection(), "tinvoice", "invoicenum = ?", {"V-1"});
  QCOMPARE(Child([&] {
             auto c = Connection::open(db.path());
             RecordSet theirs = RecordSet::openWhere(*c, "tinvoice", "invoicenum = ?", {"V-1"});
             theirs.setValue("reason", "paid");
             theirs.updateBatch();
             return 0;
           }).exitStatus(),
           0);
  mine.setValue("reason", "disputed");
  try {
    mine.updateBatch();
    QFAIL("the other program's change was overwritten");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::Conflict);
  }
  QCOMPARE(db.scalar("SELECT reason FROM tinvoice").toString(), QString("paid"));
  QCOMPARE(mine.value("reason").toString(), QString("disputed"));

  // A list shown here takes in the other program's SAVE when read again, not before.
  PagedQuery list(db.connection(), tableQuery("tinquiry"));
  const int inqnum = list.columnNames().indexOf("inqnum");
  QCOMPARE(list.rowCount(), 1);
  QCOMPARE(Child([&] { return saveInquiry(*Connection::open(db.path()), "I-2") == 'S' ? 0 : 1; }).exitStatus(), 0);
  QCOMPARE(list.first(10).size(), 1);
  list.refresh();
  QCOMPARE(list.rowCount(), 2);
  const QList<QVariantList> rows = list.first(10);
  QCOMPARE(rows.size(), 2);
  QCOMPARE(rows[0][inqnum].toString() + "," + rows[1][inqnum].toString(), QString("I-1,I-2"));
}

void ServerTest::faultsAtOpeningAreNamedWithoutThePassword() {
  TestDatabase db;
  const QString server = qEnvironmentVariable("VANTORA_TEST_SERVER");
  const QString serverQuery = server.mid(server.indexOf('?') + 1);
  const QString role = "clerk_" + randomName(), right = "rightpw" + randomName(), wrong = "wrongpw" + randomName();
  db.connection().execute(QString("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role, right));
  const auto dropRole = qScopeGuard([&] {
    try {
      db.connection().execute(QString("DROP OWNED BY %1; DROP ROLE %1").arg(role));
    } catch (const DbError& error) {
      qWarning("the role %s was left on the server: %s", qPrintable(role), qPrintable(error.message()));
    }
  });

  const QList<QPair<QString, DbErrorKind>> cases = {
      {"postgresql:///vantora?host=/tmp/nowhere-" + randomName() + "&port=5432&password=" + wrong,
       DbErrorKind::Unreachable},
      {"postgresql:///no_such_db_" + randomName() + "?" + serverQuery + "&password=" + wrong, DbErrorKind::FileMissing},
      {"postgresql://postgres:" + wrong + "@/no_such_db_" + randomName() + "?" + serverQuery, DbErrorKind::FileMissing},
      {db.path() + "&user=" + role + "&password=" + wrong, DbErrorKind::SignInRefused},
  };
  for (const auto& [location, kind] : cases) {
    const DbError error = failure([&] { Connection::open(location); });
    QVERIFY2(error.kind() == kind, qPrintable(QString("kind %1: %2").arg(int(error.kind())).arg(error.message())));
    QVERIFY2(!error.message().contains(wrong), qPrintable(error.message()));
  }

  // Signed in, but nothing in this database granted to the role: a refusal, not an empty database.
  const QString limitedRole = db.path() + "&user=" + role + "&password=" + right;
  const DbError refused = failure([&] { Connection::open(limitedRole); });
  QVERIFY2(!refused.message().contains(right), qPrintable(refused.message()));
  QCOMPARE(refused.kind(), DbErrorKind::NoPermission);
  QVERIFY2(!refused.message().contains("saved"), qPrintable(refused.message()));  // it only read

  // Allowed to read the inquiries only: anything else is refused as such, and the connection goes on.
  db.connection().execute(QString("GRANT USAGE ON SCHEMA %1 TO %2; GRANT SELECT ON tinquiry, tschemaversion TO %2")
                              .arg(db.scalar("SELECT current_schema()").toString(), role));
  auto limited = Connection::open(limitedRole);
  for (const DbError& error : {failure([&] { RecordSet::openTable(*limited, "tinvoice"); }),
                               failure([&] { RowWriter(*limited, "tinquiry").append(QVariantHash{{"inqnum", "X"}}); })}) {
    QVERIFY2(error.kind() == DbErrorKind::NoPermission, qPrintable(error.message()));
    QVERIFY2(!error.message().contains(right), qPrintable(error.message()));
  }
  QCOMPARE(RecordSet::openTable(*limited, "tinquiry").recordCount(), 0);
}

void ServerTest::aLostConnectionKeepsNothingAndRecovers() {
  TestDatabase db;
  auto victim = Connection::open(db.path());
  const auto terminate = [&] {
    Statement pid(*victim, "SELECT pg_backend_pid()");
    QVERIFY(pid.step());
    // As a server shutting down does to its clients; waits until the backend is gone.
    QVERIFY(db.scalar("SELECT pg_terminate_backend(?::integer, 10000)", {pid.value(0)}).toBool());
  };

  // Gone before the commit of a SAVE of two rows.
  RecordSet inquiry = RecordSet::openForAppend(*victim, "tinquiry");
  RecordSet summary = RecordSet::openForAppend(*victim, "titemdescom");
  inquiry.addNew();
  inquiry.setValues({{"inqnum", "L-1"}, {"client", "ACME"}});
  summary.addNew();
  summary.setValues({{"inqnum", "L-1"}, {"itemdes", "  VALVE"}});
  try {
    Transaction save(*victim);
    inquiry.updateBatch();
    summary.updateBatch();
    terminate();
    save.commit();
    QFAIL("the commit went through without a server");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::ConnectionLost);
    QVERIFY(!error.message().isEmpty());
  }
  QCOMPARE(db.count("tinquiry") + db.count("titemdescom"), qint64(0));
  QVERIFY(inquiry.isPending() && summary.isPending());
  QCOMPARE(inquiry.value("client").toString(), QString("ACME"));
  QCOMPARE(summary.value("itemdes").toString(), QString("  VALVE"));

  // Gone between the two rows: the second write fails, the first is taken back.
  try {
    Transaction save(*victim);
    inquiry.updateBatch();
    terminate();
    summary.updateBatch();
    save.commit();
    QFAIL("a write went through without a server");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::ConnectionLost);
  }
  QCOMPARE(db.count("tinquiry") + db.count("titemdescom"), qint64(0));
  QVERIFY(inquiry.isPending());

  // The same connection is used again: the SAVE retried stores both rows once.
  Transaction save(*victim);
  inquiry.updateBatch();
  summary.updateBatch();
  save.commit();
  QCOMPARE(db.joined("SELECT inqnum FROM tinquiry UNION ALL SELECT inqnum FROM titemdescom"), QString("L-1,L-1"));
  QCOMPARE(problems(db.path()), QStringList());
}

void ServerTest::aKilledClientLeavesNoPartialChain() {
  TestDatabase db;
  {
    Child writer([&] {
      auto c = Connection::open(db.path());
      for (int n = 1;; ++n)
        if (saveInquiry(*c, QString("K-%1").arg(n), true) != 'S') return 1;
    });
    while (db.count("tinquiry") < 3) {
      QVERIFY2(writer.running(), "the writer stopped by itself");
      QTest::qWait(5);
    }
    QTest::qWait(QRandomGenerator::global()->bounded(50));
  }  // SIGKILLed here

  // The write lock is free once the server has ended the killed client's SAVE, whichever way.
  auto after = Connection::open(db.path());
  Transaction(*after).commit();
  QCOMPARE(checkDatabase(*after).brokenChains, QStringList());
  QCOMPARE(changeLogProblems(*after), QStringList());
  Statement counts(*after, "SELECT (SELECT count(*) FROM tinquiry), (SELECT count(*) FROM titemdescom)");
  QVERIFY(counts.step());
  QVERIFY(counts.value(0).toLongLong() >= 3);
  QCOMPARE(counts.value(1).toLongLong(), counts.value(0).toLongLong());
}

void ServerTest::aClosedConnectionsSessionServesTheNextOne() {
  TestDatabase db;
  const auto serverProcess = [](Connection& connection) {
    Statement pid(connection, "SELECT pg_backend_pid()");
    return pid.step() ? pid.value(0).toLongLong() : -1;
  };
  qint64 first = 0;
  {
    auto form = Connection::open(db.path());
    first = serverProcess(*form);
  }
  {
    auto next = Connection::open(db.path());  // no new server process to wait for
    QCOMPARE(serverProcess(*next), first);
    auto meanwhile = Connection::open(db.path());  // one session serves one connection at a time
    QVERIFY(serverProcess(*meanwhile) != first);
  }
  // A kept session the server ended meanwhile (a restart) gives way to a new one.
  db.cutOtherConnections();
  auto after = Connection::open(db.path());
  QVERIFY(serverProcess(*after) != first);
  RowWriter(*after, "tinquiry").append(QVariantHash{{"inqnum", "AFTER-1"}});
  QCOMPARE(db.count("tinquiry"), 1);
}

// A clerk's role with exactly the README's grants saves as usual, but can
// neither change the change log nor its bookkeeping, nor plant a false alarm.
void ServerTest::aClerksRoleCannotTouchTheBookkeeping() {
  TestDatabase db;
  const QString role = "clerks_" + randomName(), password = "pw" + randomName();
  db.connection().execute(QString("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role, password));
  const auto dropRole = qScopeGuard([&] {
    try {
      db.connection().execute(QString("DROP OWNED BY %1; DROP ROLE %1").arg(role));
    } catch (const DbError& error) {
      qWarning("the role %s was left on the server: %s", qPrintable(role), qPrintable(error.message()));
    }
  });
  const QStringList grants = readmeGrants(db.scalar("SELECT current_schema()").toString(), role);
  QVERIFY(grants.size() >= 4);
  for (const QString& grant : grants) db.connection().execute(grant);

  {
    auto clerk = Connection::open(db.path() + "&user=" + role + "&password=" + password);
    QCOMPARE(saveInquiry(*clerk, "G-1", true), 'S');
    Transaction quote(*clerk);
    RowWriter(*clerk, "tquote").append(QVariantHash{{"inqnum", "G-1"}, {"quotenum", "GQ-1"}});
    QVERIFY(markParentAnswered(*clerk, Step::Quotation, "G-1"));
    quote.commit();
    for (const char* forbidden :
         {"UPDATE tchangelog SET login = 'x'", "DELETE FROM tchangelog", "TRUNCATE tchangelog",
          "UPDATE tchangeloghighwater SET lastkey = 999999999", "INSERT INTO tchangeloghighwater VALUES (999999999)",
          "DELETE FROM tchangeloghighwater", "DELETE FROM topenparent", "UPDATE topenparent SET number = 'X'",
          "INSERT INTO topenparent VALUES ('order', 99, 'X')", "DROP TRIGGER tchangelog_highwater ON tchangelog",
          "UPDATE tfollowuptotal SET documents = 0", "INSERT INTO tfollowupopen VALUES (3, 99, '', 1)"})
      QVERIFY_THROWS_EXCEPTION(DbError, clerk->execute(forbidden));
    const DatabaseCheck report = checkDatabase(*clerk);
    QVERIFY2(report.sound(), qPrintable((report.brokenChains + report.logProblems).join('\n')));
  }
  // Not even the owner raises the mark past the log's last entry.
  QVERIFY_THROWS_EXCEPTION(DbError, db.connection().execute("UPDATE tchangeloghighwater SET lastkey = 999999999"));
  QCOMPARE(db.scalar("SELECT max(lastkey) FROM tchangeloghighwater"), db.scalar("SELECT max(pkeychangelog) FROM tchangelog"));
  QCOMPARE(db.joined("SELECT link || ' ' || number FROM topenparent ORDER BY link"), QString("addressbook G-1,order GQ-1"));
}

// BACK UP archives the schema in use and no other, however its name is
// spelled: pg_dump would take a name with * ? . or capitals as a pattern.
void ServerTest::aBackupHoldsThisOfficeOnly() {
  if (QStandardPaths::findExecutable("pg_dump").isEmpty()) QSKIP("no pg_dump on this computer");
  TestDatabase db;
  QTemporaryDir folder;
  const QString tag = "t" + randomName();  // a crashed run's leftovers never stand in the way
  const QStringList offices = {tag + "b*", tag + "bx", tag + "OfficeA", tag + "of.fice", tag + "o\"ffice"};
  const auto dropOffices = qScopeGuard([&] {
    for (const QString& office : offices) try {
        db.connection().execute("DROP SCHEMA IF EXISTS " + quotedName(office) + " CASCADE");
      } catch (const DbError& error) {
        qWarning("the schema %s was left on the server: %s", qPrintable(office), qPrintable(error.message()));
      }
  });
  for (const QString& office : offices) {
    db.connection().execute("CREATE SCHEMA " + quotedName(office));
    createSchema(*Connection::open(schemaAddress(office), Connection::OpenMode::CreateNew));
  }
  for (int i = 0; i < offices.size(); ++i) {
    const QString archive = folder.filePath(QString("office%1.dump").arg(i));
    backupDatabase(*Connection::open(schemaAddress(offices[i])), archive);
    QProcess list;
    list.start(QStandardPaths::findExecutable("pg_restore"), {"--list", archive});
    QVERIFY(list.waitForFinished());
    const QStringList tables = QString::fromUtf8(list.readAllStandardOutput()).split('\n').filter(" TABLE DATA ");
    QCOMPARE(tables.size(), db.scalar("SELECT count(*) FROM pg_tables WHERE schemaname = ?", {offices[i]}).toInt());
  }
}

void ServerTest::addressesInAnyLetterCaseAndWithoutAHost() {
  TestDatabase db;
  const QString shouted = "POSTGRESQL" + db.path().mid(db.path().indexOf("://"));
  RowWriter(*Connection::open(shouted), "tinquiry").append(QVariantHash{{"inqnum", "CASE-1"}});
  QCOMPARE(db.count("tinquiry"), 1);

  const QString withPassword = "postgresql://vantora@office/vantora?sslmode=require&PASSWORD=s3cret";
  QVERIFY(carriesPassword(withPassword));
  QVERIFY(!shownServerLocation(withPassword).contains("s3cret"));
  QVERIFY(shownServerLocation(withPassword).contains("sslmode=require"));

  // Where libpq looked, when the address leaves the host to it.
  const QString nowhere = "/tmp/nowhere-" + randomName();
  qputenv("PGHOST", nowhere.toUtf8());
  const auto unset = qScopeGuard([] { qunsetenv("PGHOST"); });
  const DbError unreachable = failure([] { Connection::open("postgresql://vantora@/office"); });
  QCOMPARE(unreachable.kind(), DbErrorKind::Unreachable);
  QVERIFY2(unreachable.message().contains(nowhere), qPrintable(unreachable.message()));
}

QTEST_MAIN(ServerTest)
#include "tst_server.moc"
