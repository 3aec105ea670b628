// The document chain in the file: open lists kept true by every write, numbers
// and answers the file refuses twice, and files of the first release.
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/documentchain.h"
#include "store/itemlines.h"
#include "store/layout/chaincheck.h"
#include "store/queries/documentqueries.h"
#include "store/queries/valuelist.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "tests/support/earlierlayout.h"
#include "tests/support/testdatabase.h"

namespace {

QStringList openList(Connection& connection, Step step) {
  ValueList list(connection, openParentsList(step));
  QStringList all;
  while (!list.atEnd()) all << list.next(2);
  return all;
}

DbError openingError(const QString& path) {
  try {
    Connection::open(path);
  } catch (const DbError& error) {
    return error;
  }
  return DbError(DbErrorKind::Other, "opened");
}

// What the first release left in a file: no unique indexes, no open lists,
// numbered indexes and no data version.
void makeFirstReleaseFile(Connection& connection) {
  QStringList drops;
  Statement objects(connection, "SELECT type, name FROM sqlite_master WHERE type IN ('index', 'trigger') AND name "
                                "NOT LIKE 'sqlite_%'");
  while (objects.step()) drops << QString("DROP %1 \"%2\"").arg(objects.value(0).toString(), objects.value(1).toString());
  for (const QString& drop : drops) connection.execute(drop);
  connection.execute("DROP TABLE topenparent");
  connection.execute("DROP TABLE tfollowupopen");  // data version 7
  connection.execute("DROP TABLE tfollowuptotal");
  connection.execute("DROP TABLE tchangelog");
  connection.execute("DROP TABLE tinquirymakes");
  connection.execute("CREATE INDEX ix1 ON tinquiry (inqnum)");
  connection.execute("PRAGMA user_version = 0");
}

}  // namespace

class DocumentChainTest : public QObject {
  Q_OBJECT

 private slots:
  void openListsFollowEveryWrite();
  void theFileRefusesANumberOrAnAnswerTwice();
  void firstReleaseFilesAreBroughtUpToDate();
  void newerFilesAreRefused();
  void makesToOrderAreTheTickedMakesOutOfStock();
};

void DocumentChainTest::openListsFollowEveryWrite() {
  TestDatabase db;
  Connection& c = db.connection();
  RowWriter inquiries(c, "tinquiry");
  for (const char* number : {"N00", "N01", "N02", "N03", "N04"}) inquiries.append(QVariantHash{{"inqnum", number}});
  QCOMPARE(openList(c, Step::Quotation), QStringList({"N00", "N01", "N02", "N03", "N04"}));

  // A quotation names its inquiry in any letter case, blanks around it; one
  // naming none hides nothing.
  c.execute("INSERT INTO tquote (inqnum, quotenum) VALUES (' n01 ', 'Q1')");
  c.execute("INSERT INTO tquote (quotenum) VALUES ('Q2')");
  QCOMPARE(openList(c, Step::Quotation), QStringList({"N00", "N02", "N03", "N04"}));
  QVERIFY(!isOpenParent(c, Step::Quotation, "N01"));
  QVERIFY(isOpenParent(c, Step::Quotation, " n02 "));

  // Any later write, as the edit grids or another program make them.
  c.execute("UPDATE tquote SET inqnum = 'N02' WHERE quotenum = 'Q1'");
  c.execute("UPDATE tinquiry SET inqnum = 'N09' WHERE inqnum = 'N03'");
  c.execute("DELETE FROM tinquiry WHERE inqnum = 'N04'");
  c.execute("UPDATE tinquiry SET quotesendstatus = 'YES'");  // a status typed by hand decides nothing
  QCOMPARE(openList(c, Step::Quotation), QStringList({"N00", "N01", "N09"}));
  c.execute("DELETE FROM tquote WHERE quotenum = 'Q1'");
  QCOMPARE(openList(c, Step::Quotation), QStringList({"N00", "N01", "N02", "N09"}));
  QCOMPARE(openList(c, Step::AddressBook), QStringList({"N00", "N01", "N02", "N09"}));
  QCOMPARE(openList(c, Step::Order), QStringList({"Q2"}));

  QVERIFY(markParentAnswered(c, Step::Quotation, " n00"));
  QCOMPARE(db.scalar("SELECT quotesendstatus FROM tinquiry WHERE inqnum = 'N00'").toString(), QString("YES"));
  QVERIFY(!markParentAnswered(c, Step::Quotation, "NONE"));
  for (const QString& line : checkDatabase(c).brokenChains) QVERIFY2(!line.contains("open documents"), qPrintable(line));
}

void DocumentChainTest::theFileRefusesANumberOrAnAnswerTwice() {
  // The document numbers, the one-per-inquiry rows, and one answer per document.
  const QList<QPair<QString, QString>> unique = {
      {"tinquiry", "inqnum"}, {"tquote", "quotenum"}, {"tpo", "ponum"},       {"tinvoice", "invoicenum"},
      {"titeminq", "inqnum"}, {"titemdescom", "inqnum"}, {"taddressbook", "inqnum"}, {"tquote", "inqnum"},
      {"tpo", "quotenum"},    {"tinvoice", "ponum"},
  };
  for (const auto& [table, column] : unique) {
    TestDatabase db;
    RowWriter rows(db.connection(), table);
    rows.append(QVariantHash{{column, "A'%_\\1"}});
    try {
      rows.append(QVariantHash{{column, " a'%_\\1 "}});
      QFAIL(qPrintable(table + "." + column + " took a number twice"));
    } catch (const DbError& error) {
      QCOMPARE(error.kind(), DbErrorKind::Duplicate);
    }
    rows.append(QVariantHash{{column, "A'%_\\2"}});  // a number that only looks alike is another
  }
}

void DocumentChainTest::firstReleaseFilesAreBroughtUpToDate() {
  if (testingServer()) QSKIP("server databases began at the current layout");
  TestDatabase db;
  RowWriter(db.connection(), "tinquiry").append(QVariantHash{{"inqnum", "OLD-1"}});
  makeFirstReleaseFile(db.connection());

  auto upgraded = Connection::open(db.path());
  QCOMPARE(db.scalar("PRAGMA user_version").toInt(), kSchemaVersion);
  QCOMPARE(db.scalar("SELECT count(*) FROM sqlite_master WHERE name = 'ix1'").toInt(), 0);
  QCOMPARE(openList(*upgraded, Step::Quotation), QStringList({"OLD-1"}));
  QVERIFY_THROWS_EXCEPTION(DbError, RowWriter(*upgraded, "tinquiry").append(QVariantHash{{"inqnum", "old-1"}}));

  // A number stored twice stops the upgrade with a message that names it, and
  // leaves the file as it was.
  TestDatabase twice;
  makeFirstReleaseFile(twice.connection());
  twice.connection().execute("INSERT INTO tinquiry (inqnum) VALUES ('DUP-7'), ('dup-7')");  // as that release wrote
  const DbError error = openingError(twice.path());
  QCOMPARE(error.kind(), DbErrorKind::WrongVersion);
  QVERIFY2(error.message().contains("DUP-7") && error.message().contains("earlier version"), qPrintable(error.message()));
  QCOMPARE(twice.scalar("PRAGMA user_version").toInt(), 0);
  QCOMPARE(twice.scalar("SELECT count(*) FROM sqlite_master WHERE name = 'ix1'").toInt(), 1);

  // A file of data version 1 gains the indexes its lists are read by, and
  // the table of inquiries by make.
  TestDatabase second;
  const QString listIndexes = "FROM sqlite_master WHERE name LIKE 'ix\\_list\\_%' ESCAPE '\\'";
  const int listingIndexes = second.scalar("SELECT count(*) " + listIndexes).toInt();
  QVERIFY(listingIndexes > 0);
  takeBackFollowUp(second.connection());
  second.connection().execute(QString("DROP INDEX \"%1\"").arg(second.scalar("SELECT min(name) " + listIndexes).toString()));
  second.connection().execute("DROP TABLE tinquirymakes");
  for (int trigger = 1; trigger <= 6; ++trigger) second.connection().execute(QString("DROP TRIGGER makes_%1").arg(trigger));
  second.connection().execute("PRAGMA user_version = 1");
  auto reopened = Connection::open(second.path());
  QCOMPARE(second.scalar("PRAGMA user_version").toInt(), kSchemaVersion);
  QCOMPARE(second.scalar("SELECT count(*) " + listIndexes).toInt(), listingIndexes);
  QCOMPARE(second.scalar("SELECT count(*) FROM tinquirymakes").toInt(), 0);
}

void DocumentChainTest::newerFilesAreRefused() {
  TestDatabase db;
  db.connection().dialect().setSchemaVersion(db.connection(), kSchemaVersion + 1);
  const DbError error = openingError(db.path());
  QCOMPARE(error.kind(), DbErrorKind::WrongVersion);
  QVERIFY2(error.message().contains("newer version") && error.message().contains(db.path()), qPrintable(error.message()));
}

void DocumentChainTest::makesToOrderAreTheTickedMakesOutOfStock() {
  const auto line = [](bool ticked, const QString& make) {
    ItemLine l;
    l.flag = ticked ? QString("YES") : QString("");
    l.make = make;
    return l;
  };
  ItemLines lines;
  lines.lines[0] = line(true, "ALPHA");   // ticked, out of stock: to order
  lines.lines[3] = line(true, "BETA");    // in stock
  lines.lines[6] = line(false, "GAMMA");  // not ticked
  std::array<bool, kCategoryCount> inStock{};
  inStock[3] = true;
  QCOMPARE(lines.makesToOrder(inStock), QString("  ALPHA"));

  lines.lines[1] = line(true, "");      // no make: nothing to add
  lines.lines[5] = line(true, "  ABB ");
  QCOMPARE(lines.makesToOrder(inStock), QString("  ALPHA  ABB"));
  inStock.fill(true);
  QCOMPARE(lines.makesToOrder(inStock), QString(""));
}

QTEST_GUILESS_MAIN(DocumentChainTest)
#include "tst_documentchain.moc"
