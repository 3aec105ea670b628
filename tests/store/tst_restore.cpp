// Restoring a backup: the database is replaced only by a copy proven sound,
// and the database as it stood is kept.
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/files/backup.h"
#include "store/rowwriter.h"
#include "store/statement.h"
#include "tests/support/testdatabase.h"

namespace {

qint64 inquiries(const QString& path) {
  auto connection = Connection::open(path);
  Statement count(*connection, "SELECT count(*) FROM tinquiry");
  count.step();
  return count.value(0).toLongLong();
}

// As the frame keeps it: <folder>/lumo/database.db; a backup of it holding no
// inquiry, then one inquiry stored after the backup.
struct Office {
  TestDatabase db;
  QString live = db.folder() + "/lumo/database.db";
  QString backup = timestampedBackupPath(live, QDateTime(QDate(2026, 12, 1), QTime(9, 0)));

  Office() {
    backupDatabase(db.connection(), live);
    auto connection = Connection::open(live);
    backupDatabase(*connection, backup);
    RowWriter(*connection, "tinquiry").append(QVariantHash{{"inqnum", "AFTER-1"}});
  }
};

}  // namespace

class RestoreTest : public QObject {
  Q_OBJECT

 private slots:
  void theCopyReplacesTheDatabaseWhichIsKept();
  void aCopyThatCannotBeUsedChangesNothing();
  void theKeptCopyIsNeverWrittenThroughALink();
};

void RestoreTest::theCopyReplacesTheDatabaseWhichIsKept() {
  Office office;
  const QString kept = restoreDatabase(office.backup, office.live, QDateTime(QDate(2026, 12, 9), QTime(17, 45)));
  QCOMPARE(inquiries(office.live), 0);
  QCOMPARE(kept, timestampedBackupPath(office.live, QDateTime(QDate(2026, 12, 9), QTime(17, 45))));
  QCOMPARE(inquiries(kept), 1);  // the restore can itself be undone
  QCOMPARE(inquiries(office.backup), 0);
  QCOMPARE(QFileInfo(office.live).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
  QVERIFY(!QFileInfo::exists(office.live + ".restoring"));
}

void RestoreTest::aCopyThatCannotBeUsedChangesNothing() {
  Office office;
  const QString garbage = office.db.folder() + "/garbage.db";
  QFile file(garbage);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(8192, 'x'));
  file.close();
  const QDateTime when(QDate(2026, 12, 9), QTime(18, 0));
  for (const QString& copy : {garbage, office.db.folder() + "/missing.db", office.live}) {
    QVERIFY_THROWS_EXCEPTION(DbError, restoreDatabase(copy, office.live, when));
    QCOMPARE(inquiries(office.live), 1);
    QVERIFY(!QFileInfo::exists(timestampedBackupPath(office.live, when)));
    QVERIFY(!QFileInfo::exists(office.live + ".restoring"));
  }
}

void RestoreTest::theKeptCopyIsNeverWrittenThroughALink() {
  Office office;
  const QDateTime when(QDate(2026, 12, 9), QTime(17, 45));
  const QString elsewhere = office.db.folder() + "/elsewhere.db";
  QVERIFY(QFile::link(elsewhere, timestampedBackupPath(office.live, when)));
  try {
    restoreDatabase(office.backup, office.live, when);
    QFAIL("restored without keeping the database");
  } catch (const DbError& error) {
    QVERIFY2(error.message().contains("was not restored, and the database was left as it was"), qPrintable(error.message()));
  }
  QVERIFY(!QFileInfo::exists(elsewhere));
  QCOMPARE(inquiries(office.live), 1);
}

QTEST_MAIN(RestoreTest)
#include "tst_restore.moc"
