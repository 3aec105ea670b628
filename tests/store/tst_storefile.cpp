// The database file: opening faults, encryption at rest and backups.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "store/basics/completefile.h"
#include "store/basics/dberror.h"
#include "store/databaselocation.h"
#include "store/files/backup.h"
#include "store/layout/chaincheck.h"
#include "store/layout/newschema.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "tests/support/filemode.h"
#include "tests/support/testdatabase.h"

namespace {

DbError openingError(const QString& path) {
  try {
    Connection::open(path);
  } catch (const DbError& error) {
    return error;
  }
  return DbError(DbErrorKind::Other, QStringLiteral("%1 opened").arg(path));
}

// What a killed run leaves beside the file it was making.
const QString kPartial = ".vantora-partial";

bool ownerOnly(const QString& path) { return modeOf(path) == 0600; }

void makeFile(const QString& path, const QByteArray& content) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
}

// Builds a database the way vantora-db init and demo do.
void buildDatabase(const QString& path) {
  auto connection = Connection::open(path, Connection::OpenMode::CreateNew);
  createSchema(*connection);
}

void addInquiry(Connection& connection, const QString& number) {
  RecordSet rs = RecordSet::openForAppend(connection, "tinquiry");
  rs.addNew();
  rs.setValue("inqnum", number);
  rs.setValue("client", "SECRET CLIENT NAME");
  rs.updateBatch();
}

}  // namespace

class StoreFileTest : public QObject {
  Q_OBJECT

 private slots:
  void missingFileSaysWhereAndHow();
  void unusablePathsAreToldInPlainWords();
  void fileIsUnreadableWithoutTheKey();
  void filesMadeWithThePasswordKeyStillOpen();
  void aFileDatabaseNeverLoadsTheServerLibrary();
  void newDatabaseAppearsOnlyWhenComplete();
  void locationComesFromOptionThenEnvironment();
  void backupOfABusyDatabaseIsConsistent();
  void backupOfALockedDatabaseGivesUpCleanly();
  void backupNeverOverwritesAndNeverLeavesHalfFiles();
  void leftoversOfKilledRunsAreClearedByTheNextRun();
  void noPlantedLinkIsWrittenThrough();
  void madeFoldersAndFilesAreOwnerOnlyUnderAnyUmask();
  void backupsGoWhereTheyCanBeWritten();
  void checkFindsBrokenChains();
  void currentLoginNameIsThisProgramsOwnSignIn();
};

void StoreFileTest::missingFileSaysWhereAndHow() {
  QTemporaryDir dir;
  const QString path = dir.filePath("nowhere/database.db");
  try {
    Connection::open(path);
    QFAIL("a missing file opened");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::FileMissing);
    QVERIFY(error.message().contains(path));
    QVERIFY(error.message().contains("vantora-db"));
  }
  QVERIFY(!QFile::exists(path));  // opening never creates a file by accident
}

void StoreFileTest::unusablePathsAreToldInPlainWords() {
  QTemporaryDir dir;
  const auto expect = [](const QString& path, DbErrorKind kind, const QString& named) {
    const DbError error = openingError(path);
    QCOMPARE(error.kind(), kind);
    QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    QVERIFY2(!error.message().contains("no such table") && !error.message().contains("unable to open"),
             qPrintable(error.message()));
  };

  // Cut short while it was made: it opens, but holds nothing.
  makeFile(dir.filePath("empty.db"), {});
  expect(dir.filePath("empty.db"), DbErrorKind::EmptyFile, dir.filePath("empty.db"));
  QVERIFY(openingError(dir.filePath("empty.db")).message().contains("vantora-db init"));
  expect(dir.path(), DbErrorKind::FileMissing, dir.path() + " is a folder");

  // SQLite writes its journal beside the file, so an unwritable folder fails every save.
  if (geteuid() == 0) QSKIP("root may write into any folder");
  const QString folder = dir.filePath("readonly");
  const QString path = folder + "/database.db";
  QVERIFY(QDir().mkpath(folder));
  buildDatabase(path);
  auto openedEarlier = Connection::open(path);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  const auto restore =
      qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
  expect(path, DbErrorKind::ReadOnly, folder);
  try {
    openedEarlier->execute("CREATE TABLE t (x)");
    QFAIL("a save succeeded in an unwritable folder");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::ReadOnly);
    QVERIFY2(error.message().contains(folder) && !error.message().contains("unable to open"),
             qPrintable(error.message()));
  }
}

void StoreFileTest::fileIsUnreadableWithoutTheKey() {
  TestDatabase db;
  addInquiry(db.connection(), "ENC-1");
  QFile file(db.path());
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(!bytes.startsWith("SQLite format 3"));
  QVERIFY(!bytes.contains("SECRET CLIENT NAME"));

  // A plain file, or garbage, is told apart from a missing one.
  QTemporaryDir dir;
  QFile junk(dir.filePath("junk.db"));
  QVERIFY(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(8192, 'x'));
  junk.close();
  QCOMPARE(openingError(junk.fileName()).kind(), DbErrorKind::WrongKey);

  QFile plain(dir.filePath("plain.db"));
  QVERIFY(plain.open(QIODevice::WriteOnly));
  plain.write(QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'));
  plain.close();
  QCOMPARE(openingError(plain.fileName()).kind(), DbErrorKind::WrongKey);
}

namespace {

const char kRawKey[] = "x'671ce1b31a02833819937605bf17f12c502c76813401da8d25a3434c30d7bb68'";

// Runs `sql` on the file as the sqlcipher tool would, keyed as `keying` says.
int runRaw(const QString& path, const QByteArray& keying, const QByteArray& sql) {
  sqlite3* handle = nullptr;
  if (sqlite3_open(QFile::encodeName(path).constData(), &handle) != SQLITE_OK) return SQLITE_CANTOPEN;
  const int rc = sqlite3_exec(handle, keying + sql, nullptr, nullptr, nullptr);
  sqlite3_close(handle);
  return rc;
}

QByteArray rawKeyWithPages(int pageSize) {
  return "PRAGMA key = \"" + QByteArray(kRawKey) + "\"; PRAGMA cipher_page_size = " + QByteArray::number(pageSize) + ";";
}

}  // namespace

void StoreFileTest::filesMadeWithThePasswordKeyStillOpen() {
  QTemporaryDir dir;
  TestDatabase current;
  QByteArray tables;
  Statement definitions(current.connection(), "SELECT sql FROM sqlite_master WHERE type = 'table' AND name LIKE 't%' "
                                              "AND name NOT IN ('topenparent', 'tinquirymakes') AND name NOT LIKE 'tfollowup%'");
  while (definitions.step()) tables += definitions.value(0).toString().toUtf8() + ";";

  // As earlier releases made them: the password through 4000 rounds of key
  // derivation, or the raw key; both with 1 KB pages.
  const QList<QPair<QString, QByteArray>> earlier = {
      {"password.db", "PRAGMA key = 'kelv42'; PRAGMA kdf_iter = 4000;"}, {"raw1k.db", rawKeyWithPages(1024)}};
  for (const auto& [name, keying] : earlier) {
    const QString old = dir.filePath(name);
    QCOMPARE(runRaw(old, keying, tables + "INSERT INTO tinquiry (inqnum) VALUES ('old row')"), SQLITE_OK);

    auto connection = Connection::open(old);
    const QString copy = dir.filePath("copy-" + name);
    backupDatabase(*connection, copy);  // a backup takes the key new files get, and its source's pages
    for (const QString& path : {old, copy}) {
      auto reopened = Connection::open(path);
      Statement read(*reopened, "SELECT inqnum FROM tinquiry");
      QVERIFY(read.step());
      QCOMPARE(read.value(0).toString(), QString("old row"));
    }
    QCOMPARE(runRaw(copy, rawKeyWithPages(1024), "SELECT count(*) FROM tinquiry"), SQLITE_OK);
  }

  // New files take the raw key that README gives for the sqlcipher tool, and 4 KB pages.
  TestDatabase db;
  QCOMPARE(runRaw(db.path(), rawKeyWithPages(4096), "SELECT count(*) FROM tinquiry"), SQLITE_OK);
  QCOMPARE(runRaw(db.path(), rawKeyWithPages(1024), "SELECT count(*) FROM tinquiry"), SQLITE_NOTADB);
}

void StoreFileTest::aFileDatabaseNeverLoadsTheServerLibrary() {
  TestDatabase db;
  addInquiry(db.connection(), "I-1");
  backupDatabase(db.connection(), db.path() + ".copy");
  QFile maps("/proc/self/maps");
  QVERIFY(maps.open(QIODevice::ReadOnly));
  QVERIFY(!maps.readAll().contains("libpq"));
}

void StoreFileTest::newDatabaseAppearsOnlyWhenComplete() {
  QTemporaryDir dir;
  const QString folder = dir.filePath("lumo");
  const QString path = folder + "/database.db";
  QVERIFY(QDir().mkpath(folder));
  // A killed run left its half-made file and journal; this run then fails too (disk full).
  makeFile(path + kPartial, "half");
  makeFile(path + kPartial + "-journal", "half");
  QVERIFY_THROWS_EXCEPTION(DbError, writeCompleteFile(path, [](const QString& partial) {
                             buildDatabase(partial);
                             throw DbError(DbErrorKind::DiskFull, "full");
                           }));
  QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());

  writeCompleteFile(path, buildDatabase);
  QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList("database.db"));
  QVERIFY(ownerOnly(path));
  QCOMPARE(checkDatabase(*Connection::open(path)).integrity, QString("ok"));

  // Another run finished first while this one was building: its file is kept.
  const QString raced = folder + "/raced.db";
  QVERIFY_THROWS_EXCEPTION(DbError, writeCompleteFile(raced, [&raced](const QString& partial) {
                             buildDatabase(partial);
                             makeFile(raced, "theirs");
                           }));
  QFile theirs(raced);
  QVERIFY(theirs.open(QIODevice::ReadOnly));
  QCOMPARE(theirs.readAll(), QByteArray("theirs"));
  QVERIFY(!QFile::exists(raced + kPartial));
}

void StoreFileTest::locationComesFromOptionThenEnvironment() {
  qputenv(kDatabaseEnvironmentVariable, "/env/db.db");
  QCOMPARE(databasePathFrom("/opt/x.db"), QString("/opt/x.db"));
  QCOMPARE(databasePathFrom({}), QString("/env/db.db"));
  qunsetenv(kDatabaseEnvironmentVariable);
  QVERIFY(databasePathFrom({}).endsWith("/lumo/database.db"));
  QCOMPARE(usualBackupFolderFor("/home/u/Documents/lumo/database.db"), QString("/home/u/Documents/databasebackup"));
}

void StoreFileTest::backupOfABusyDatabaseIsConsistent() {
  TestDatabase db;
  for (int i = 0; i < 50; ++i) addInquiry(db.connection(), QString("B-%1").arg(i));
  QVERIFY(ownerOnly(db.path()));

  // Another window is in the middle of writing when the backup runs.
  auto writer = Connection::open(db.path());
  Transaction unfinished(*writer);
  addInquiry(*writer, "NOT-YET-COMMITTED");
  const QString copy = db.folder() + "/backup/copy.db";
  backupDatabase(db.connection(), copy);
  auto restored = Connection::open(copy);  // opens with the same key
  QCOMPARE(checkDatabase(*restored).integrity, QString("ok"));
  QCOMPARE(RecordSet::openTable(*restored, "tinquiry").recordCount(), 50);
  QVERIFY(ownerOnly(copy));
  QVERIFY(!QFile::exists(copy + kPartial));
}

void StoreFileTest::backupOfALockedDatabaseGivesUpCleanly() {
  TestDatabase db;
  // As the frame keeps it: <folder>/lumo/database.db, backups in <folder>/databasebackup.
  const QString livePath = db.folder() + "/lumo/database.db";
  backupDatabase(db.connection(), livePath);
  auto live = Connection::open(livePath);
  const QString backups = db.folder() + "/databasebackup";
  const QString copy = timestampedBackupPath(livePath, QDateTime(QDate(2026, 12, 9), QTime(8, 30, 5)));
  QCOMPARE(copy, backups + "/database-2026-12-09-083005.db");

  {
    auto other = Connection::open(livePath);
    other->execute("BEGIN EXCLUSIVE");
    try {
      backupDatabase(*live, copy);
      QFAIL("a locked database was copied");
    } catch (const DbError& error) {
      QCOMPARE(error.kind(), DbErrorKind::Locked);
      QVERIFY2(error.message().contains("in use by another window or program, so nothing was copied"),
               qPrintable(error.message()));
    }
    QCOMPARE(QDir(backups).entryList(QDir::Files), QStringList());
  }
}

void StoreFileTest::leftoversOfKilledRunsAreClearedByTheNextRun() {
  TestDatabase db;
  const QString backups = db.folder() + "/databasebackup";
  const QString copy = backups + "/database-2026-12-09-083005.db";
  const QString killed = backups + "/database-2026-12-08-170000.db" + kPartial;
  QVERIFY(QDir().mkpath(backups));
  makeFile(killed, "half");
  makeFile(killed + "-journal", "half");
  makeFile(backups + "/notes.partial", "someone else's");

  writeCompleteFile(backups + "/database-now.db", [&](const QString& partial) {
    QVERIFY(!QFile::exists(killed) && !QFile::exists(killed + "-journal"));  // nobody else was writing here
    buildDatabase(partial);
    // A run killed meanwhile; a backup made while this run still writes leaves both alone.
    makeFile(killed, "half");
    backupDatabase(db.connection(), copy);
    QVERIFY(QFile::exists(partial) && QFile::exists(killed));
  });
  backupDatabase(db.connection(), backups + "/database-2026-12-09-083006.db");
  QStringList files = QDir(backups).entryList(QDir::Files);
  files.removeAll("changelog-witnesses");  // each backup notes the log's head beside the copies
  QCOMPARE(files, QStringList({"database-2026-12-09-083005.db", "database-2026-12-09-083006.db", "database-now.db",
                               "notes.partial"}));
}

void StoreFileTest::noPlantedLinkIsWrittenThrough() {
  TestDatabase db;
  const QString elsewhere = db.folder() + "/elsewhere";
  QVERIFY(QDir().mkpath(elsewhere));
  makeFile(elsewhere + "/theirs.db", "theirs");
  // At the destination: a link leading nowhere yet, and one to an existing file.
  for (const QString& target : {elsewhere + "/target.db", elsewhere + "/theirs.db"}) {
    const QString destination = db.folder() + "/dest-" + QFileInfo(target).fileName();
    QVERIFY(QFile::link(target, destination));
    QVERIFY_THROWS_EXCEPTION(DbError, backupDatabase(db.connection(), destination));
    QVERIFY(QFileInfo(destination).isSymLink());
  }
  // At the name the copy is made under first: the link is taken away, not followed.
  const QString destination = db.folder() + "/dest.db";
  QVERIFY(QFile::link(elsewhere + "/partial.db", destination + kPartial));
  backupDatabase(db.connection(), destination);
  QVERIFY(ownerOnly(destination));
  QCOMPARE(QDir(elsewhere).entryList(QDir::Files), QStringList("theirs.db"));
  QFile theirs(elsewhere + "/theirs.db");
  QVERIFY(theirs.open(QIODevice::ReadOnly));
  QCOMPARE(theirs.readAll(), QByteArray("theirs"));
}

void StoreFileTest::madeFoldersAndFilesAreOwnerOnlyUnderAnyUmask() {
  TestDatabase db;
  const mode_t before = umask(0);
  const QString copy = db.folder() + "/made/for/copy.db";
  backupDatabase(db.connection(), copy);
  const QString live = db.folder() + "/lumo/database.db";
  writeCompleteFile(live, buildDatabase);
  const QString kept = restoreDatabase(copy, live, QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
  umask(before);
  for (const char* folder : {"/made", "/made/for", "/lumo", "/databasebackup"})
    QCOMPARE(modeOf(db.folder() + folder), 0700);
  for (const QString& file : {copy, live, kept}) QVERIFY2(ownerOnly(file), qPrintable(file));
}

void StoreFileTest::backupsGoWhereTheyCanBeWritten() {
  QTemporaryDir dir;
  const QString live = dir.filePath("lumo/database.db");
  QCOMPARE(backupFolderFor(live), dir.filePath("databasebackup"));
  // A file in the way of the usual folder, or a link there leading nowhere.
  makeFile(dir.filePath("databasebackup"), "in the way");
  QCOMPARE(usualBackupFolderFor(live), dir.filePath("databasebackup"));
  QCOMPARE(backupFolderFor(live), dir.filePath("lumo/databasebackup"));
  QVERIFY(QFile::remove(dir.filePath("databasebackup")));
  QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("databasebackup")));
  QCOMPARE(timestampedBackupPath(live, QDateTime(QDate(2026, 12, 9), QTime(8, 30, 5))),
           dir.filePath("lumo/databasebackup/database-2026-12-09-083005.db"));
  if (geteuid() == 0) QSKIP("permissions do not bind the superuser");
  QVERIFY(QFile::remove(dir.filePath("databasebackup")));
  QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
  QCOMPARE(backupFolderFor(live), dir.filePath("lumo/databasebackup"));
  QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void StoreFileTest::backupNeverOverwritesAndNeverLeavesHalfFiles() {
  TestDatabase db;
  const QString existing = db.folder() + "/existing.db";
  QFile f(existing);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("keep me");
  f.close();
  QVERIFY_THROWS_EXCEPTION(DbError, backupDatabase(db.connection(), existing));
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(), QByteArray("keep me"));
}

void StoreFileTest::checkFindsBrokenChains() {
  TestDatabase db;
  addInquiry(db.connection(), "OK-1");
  RecordSet quote = RecordSet::openForAppend(db.connection(), "tquote");
  quote.addNew();
  quote.setValue("inqnum", "ok-1");  // case differs: still the same inquiry
  quote.updateBatch();
  quote.addNew();
  quote.setValue("inqnum", "GONE");
  quote.updateBatch();
  const DatabaseCheck report = checkDatabase(db.connection());
  QCOMPARE(report.integrity, QString("ok"));
  QCOMPARE(report.brokenChains.size(), 1);
  QVERIFY(report.brokenChains[0].contains("GONE"));
}

// Each program is one clerk: a sign-in at another computer sharing the
// database does not change who this program's forms and log name.
void StoreFileTest::currentLoginNameIsThisProgramsOwnSignIn() {
  TestDatabase db;
  QCOMPARE(currentLoginName(db.connection()), QString());
  db.signIn("clerk");
  RowWriter(db.connection(), "tloginwork").append(QVariantHash{{"login", "ravi"}});  // another computer
  QCOMPARE(currentLoginName(db.connection()), QString("clerk"));
  QCOMPARE(currentLoginName(*Connection::open(db.path())), QString("clerk"));  // every form of this program
  db.signIn("manager");
  QCOMPARE(currentLoginName(db.connection()), QString("manager"));
  QCOMPARE(currentEditLoginName(db.connection()), QString());
}

QTEST_GUILESS_MAIN(StoreFileTest)
#include "tst_storefile.moc"
