// An office's database moved between the file and the server, either way.
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/files/databasecopy.h"
#include "store/layout/chaincheck.h"
#include "store/layout/changelogcheck.h"
#include "store/layout/newschema.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "tests/support/testdatabase.h"
#include "tools/demodata.h"

namespace {

// Every row of every table, the change log included, in key order: each value
// with its kind, so that an empty text and a null, or 7 and "7", differ.
QStringList everything(Connection& connection) {
  QStringList rows;
  std::vector<std::pair<QString, QString>> tables;
  for (const Table& table : allTables()) tables.emplace_back(table.name, SqlDialect::keyAndColumns(table));
  tables.emplace_back("tchangelog", changeLogColumns().join(", "));
  for (const auto& [table, columns] : tables) {
    Statement all(connection, QString("SELECT %1 FROM %2 ORDER BY 1").arg(columns, table));
    while (all.step()) {
      QStringList values{table};
      for (int c = 0; c < all.columnCount(); ++c)
        values << (all.value(c).isNull() ? QString("<null>") : QString(all.value(c).typeName()) + ':' + all.value(c).toString());
      rows << values.join('|');
    }
  }
  return rows;
}

void expectRefusal(Connection& source, const QString& destination) {
  try {
    copyDatabase(source, destination);
    QFAIL("the copy was not refused");
  } catch (const DbError& error) {
    QVERIFY2(error.message().contains("left untouched") || error.message().contains("already exists"),
             qPrintable(error.message()));
  }
}

}  // namespace

class CopyTest : public QObject {
  Q_OBJECT

 private slots:
  void fileToServerAndBackIsIdentical();
  void occupiedDestinationsAreRefused();
};

void CopyTest::fileToServerAndBackIsIdentical() {
  QTemporaryDir dir;
  const QString original = dir.filePath("office.db");
  {
    auto file = Connection::open(original, Connection::OpenMode::CreateNew);
    createSchema(*file);
    fillDemoData(*file, 300, 20);
    // Values a careless copy would change: null against empty, quotes, wildcards, a non-Latin name.
    RowWriter(*file, "tinquiry").append(QVariantHash{{"inqnum", "A'%_\\1"}, {"client", ""}, {"area", "ठाणे"}});
    RecordSet corrected = RecordSet::openWhere(*file, "tinvoice", "invoicenum IS NOT NULL", {});
    corrected.setValue("reason", "part paid");
    corrected.updateBatch();
  }
  auto source = Connection::open(original);
  const QStringList before = everything(*source);

  EmptyDatabase server;
  const TableCounts counts = copyDatabase(*source, server.location());
  QCOMPARE(counts.size(), allTables().size() + 1);
  auto copied = Connection::open(server.location());
  QCOMPARE(everything(*copied), before);
  QCOMPARE(checkDatabase(*copied).brokenChains, QStringList());
  QCOMPARE(changeLogProblems(*copied), QStringList());

  // New rows on the server continue after the copied keys, and their entries after the copied log.
  const qint64 highest = before.filter(QRegularExpression("^tinquiry\\|")).size();
  RowWriter(*copied, "tinquiry").append(QVariantHash{{"inqnum", "NEW-1"}});
  Statement newest(*copied, "SELECT max(pkeyinq) FROM tinquiry");
  QVERIFY(newest.step());
  QVERIFY(newest.value(0).toLongLong() > highest);
  QCOMPARE(changeLogProblems(*copied), QStringList());

  const QString back = dir.filePath("back.db");
  QList<QPair<qint64, qint64>> told;
  copyDatabase(*copied, back, [&](qint64 done, qint64 total) { told.append({done, total}); });
  QVERIFY(!told.isEmpty());
  QCOMPARE(told.last().first, told.last().second);  // a progress line ends at all rows
  QCOMPARE(told.last().second, qint64(before.size() + 2));
  auto returned = Connection::open(back);
  QStringList after = everything(*returned);
  QCOMPARE(after.size(), before.size() + 2);  // the new inquiry and its entry
  after.erase(std::remove_if(after.begin(), after.end(), [](const QString& row) { return row.contains("NEW-1"); }),
              after.end());
  QCOMPARE(after, before);
}

void CopyTest::occupiedDestinationsAreRefused() {
  TestDatabase source;
  RowWriter(source.connection(), "tinquiry").append(QVariantHash{{"inqnum", "I-1"}});

  QTemporaryDir dir;
  const QString existing = dir.filePath("existing.db");
  QFile file(existing);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
  file.close();
  expectRefusal(source.connection(), existing);
  QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "mine");

  TestDatabase occupied;  // holds VANTORA's tables already
  expectRefusal(source.connection(), occupied.path());
  QCOMPARE(occupied.count("tinquiry"), 0);
}

QTEST_GUILESS_MAIN(CopyTest)
#include "tst_copy.moc"
