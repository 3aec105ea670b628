// The record-set contract the forms rely on: positions, pending rows, writes,
// refusals and conflicts.
#include <QtTest>

#include "store/basics/dberror.h"
#include "store/dates.h"
#include "store/documentchain.h"
#include "store/queries/documentqueries.h"
#include "store/queries/valuelist.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "store/wholenumber.h"
#include "tests/support/testdatabase.h"

class RecordSetTest : public QObject {
  Q_OBJECT

 private slots:
  void columnsStandAtTheirPositions();
  void pendingRowReachesTheFileOnlyThroughUpdateBatch();
  void navigationAndPosition();
  void badValuesAreRefusedBeforeAnythingIsWritten();
  void textsCountCharactersAndHoldNothingUnseen();
  void changedRowElsewhereIsAConflict();
  void documentNumbersMatchExactlyThemselves();
  void transactionIsAllOrNothing();
  void twoDigitYearsAndWholeNumbers();
  void listsPageThroughDistinctValues();
};

void RecordSetTest::columnsStandAtTheirPositions() {
  TestDatabase db;
  const QHash<QString, QStringList> expected = {
      {"tinquiry", {"pkeyinq", "inqnum", "client", "inqdate", "inqduedate", "brate", "login", "logindate",
                    "quotesendstatus", "area"}},
      {"titemdescom", {"pkey", "itemdes", "qty", "manf", "pomanf", "inqnum", "quotenum", "ponum", "invoicenum"}},
      {"tquote", {"pkeyquote", "inqnum", "client", "quotenum", "quotedate", "quoterate", "loginquote", "logindate",
                  "orderstatus", "reasonforlost"}},
      {"tpo", {"pkeypo", "quotenum", "client", "ponum", "podate", "poduedate", "taxmode", "invoicemode",
               "pnfnfreight", "paymentterm", "povalue", "login", "logindate", "orderexecutionstatus",
               "reasonfornotexecuted"}},
      {"tinvoice", {"pkeyinvoive", "ponum", "client", "invoicenum", "challannum", "invoicedate", "invoiceduedate",
                    "challandate", "invoiceamount", "login", "logindate", "paymentstatus", "reason"}},
      {"taddressbook", {"pkeyaddressbook", "inqnum", "login", "client", "address", "area", "state", "contactperson",
                        "designation", "telephonelandline", "mobile", "fax", "principalengg", "email", "website"}},
  };
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    RecordSet rs = RecordSet::openForAppend(db.connection(), it.key());
    QStringList names;
    for (int c = 0; c < rs.fieldCount(); ++c) names << rs.fieldName(c);
    QCOMPARE(names, it.value());
    // The file holds the same order the record set names.
    Statement select(db.connection(), QStringLiteral("SELECT * FROM %1").arg(it.key()));
    for (int c = 0; c < select.columnCount(); ++c) QCOMPARE(select.columnName(c), it.value()[c]);
  }

  RecordSet item = RecordSet::openForAppend(db.connection(), "titeminq");
  QCOMPARE(item.fieldCount(), 54);
  const QList<QPair<int, QString>> spots = {{1, "client"},      {3, "inqdate"},   {4, "p"},          {7, "idp"},
                                            {10, "ponumtomanf"}, {11, "jpoadate"}, {12, "ps"},         {24, "c"},
                                            {36, "motor"},      {44, "qtymis"},   {47, "filemis"},   {48, "quotenum"},
                                            {50, "invoicenum"}, {51, "login"},    {52, "logindate"}, {53, "area"}};
  for (const auto& [position, name] : spots) QCOMPARE(item.fieldName(position), name);

  QCOMPARE(RecordSet::openForAppend(db.connection(), "tloginpassword").fieldCount(), 12);
  for (const char* log : {"tloginwork", "tlogineditdata"}) {
    RecordSet rs = RecordSet::openForAppend(db.connection(), log);
    QCOMPARE(rs.fieldCount(), 4);
    QCOMPARE(rs.fieldName(1), QString("login"));
    QCOMPARE(rs.fieldName(2), QString("date"));
    QCOMPARE(rs.fieldName(3), QString("time"));
  }
}

void RecordSetTest::pendingRowReachesTheFileOnlyThroughUpdateBatch() {
  TestDatabase db;
  {
    RecordSet rs = RecordSet::openForAppend(db.connection(), "tinquiry");
    rs.addNew();
    rs.setValue("inqnum", "DROPPED");
  }  // closed without updateBatch
  QCOMPARE(db.count("tinquiry"), 0);

  RecordSet rs = RecordSet::openForAppend(db.connection(), "titeminq");
  rs.addNew();
  rs.setValue(2, "KEPT");
  rs.setValue("inqdate", "05/03/24");  // day first
  QCOMPARE(db.count("titeminq"), 0);
  rs.updateBatch();
  QCOMPARE(db.count("titeminq"), 1);
  QCOMPARE(db.scalar("SELECT inqdate FROM titeminq").toString(), QString("2024-03-05"));
  // An untouched category's quantity is 0, not null.
  QCOMPARE(db.scalar("SELECT qtyps FROM titeminq").toLongLong(), 0);

  // The written row is now loaded: a second change updates it in place.
  rs.setValue("client", "ACME");
  rs.updateBatch();
  QCOMPARE(db.count("titeminq"), 1);
  QCOMPARE(db.scalar("SELECT client FROM titeminq").toString(), QString("ACME"));
}

void RecordSetTest::navigationAndPosition() {
  TestDatabase db;
  db.signIn("first");
  db.signIn("second");
  db.signIn("third");
  RecordSet rs = RecordSet::openTable(db.connection(), "tloginwork");
  QCOMPARE(rs.recordCount(), 3);
  QCOMPARE(rs.absolutePosition(), 1);
  rs.moveNext();
  QCOMPARE(rs.value(1).toString(), QString("second"));
  rs.moveLast();
  QCOMPARE(rs.value("login").toString(), QString("third"));
  QCOMPARE(rs.absolutePosition(), 3);
  rs.moveNext();
  QVERIFY(rs.eof());
  QCOMPARE(rs.absolutePosition(), 0);
  QVERIFY_THROWS_EXCEPTION(DbError, rs.value(1));
  rs.moveFirst();
  QCOMPARE(rs.value(1).toString(), QString("first"));

  RecordSet list = RecordSet::openQuery(db.connection(), "SELECT login FROM tloginwork WHERE login <> ?", {"second"});
  QCOMPARE(list.recordCount(), 2);
  QVERIFY_THROWS_EXCEPTION(DbError, list.setValue(0, "x"));
}

void RecordSetTest::badValuesAreRefusedBeforeAnythingIsWritten() {
  TestDatabase db;
  RecordSet rs = RecordSet::openForAppend(db.connection(), "titeminq");
  rs.addNew();
  rs.setValue("qtyp", 7);
  const QList<QPair<QString, QVariant>> refused = {
      {"qtyp", "twelve"},  {"qtyp", 32768},    {"qtyp", "1.5"},         {"inqdate", "31/02/24"},
      {"inqdate", "soon"}, {"logindate", 5},   {"pkeyiteminq", 9},
  };
  for (const auto& [column, value] : refused) {
    try {
      rs.setValue(column, value);
      QFAIL(qPrintable(QString("%1 = %2 was accepted").arg(column, value.toString())));
    } catch (const DbError& error) {
      QCOMPARE(error.kind(), DbErrorKind::BadValue);
      QVERIFY2(error.message().contains(column), qPrintable(error.message()));
    }
  }
  QCOMPARE(rs.value("qtyp").toLongLong(), 7);  // the refused writes changed nothing
  QCOMPARE(db.count("titeminq"), 0);

  RecordSet quote = RecordSet::openForAppend(db.connection(), "tquote");
  quote.addNew();
  quote.setValue("quoterate", "2147483647");
  QVERIFY_THROWS_EXCEPTION(DbError, quote.setValue("quoterate", "2147483648"));
  QVERIFY_THROWS_EXCEPTION(DbError, quote.setValue("quoterate", "-2147483649"));
  quote.updateBatch();
  QCOMPARE(db.scalar("SELECT quoterate FROM tquote").toLongLong(), 2147483647LL);
}

void RecordSetTest::textsCountCharactersAndHoldNothingUnseen() {
  TestDatabase db;
  const QString emoji = QString::fromUtf8("\U0001F600");  // two UTF-16 units, one character
  RecordSet po = RecordSet::openForAppend(db.connection(), "tpo");
  po.addNew();
  po.setValue("ponum", emoji.repeated(40));
  po.updateBatch();
  QCOMPARE(db.scalar("SELECT ponum FROM tpo").toString(), emoji.repeated(40));
  po.addNew();
  try {
    po.setValue("ponum", emoji.repeated(41));
    QFAIL("41 characters in a number of 40");
  } catch (const DbError& error) {
    QVERIFY2(error.message().contains("41 characters long; at most 40 fit"), qPrintable(error.message()));
  }
  // The engine's own CHECK counts alike, whoever writes.
  Statement insert(db.connection(), "INSERT INTO tpo (ponum) VALUES (?)");
  insert.bind(1, "R" + emoji.repeated(39));
  insert.step();
  insert.reset();
  insert.bind(1, "R" + emoji.repeated(40));
  QVERIFY_THROWS_EXCEPTION(DbError, insert.step());
  QCOMPARE(db.count("tpo"), 2);

  const QList<QChar> unseen = {QChar(0),      QChar(0x01),   QChar(0x07),   QChar(0x1B),   QChar('\t'), QChar('\n'),
                               QChar(0x2028), QChar(0x200B), QChar(0x202E), QChar(0x2066), QChar(0xD83D)};
  for (const QChar c : unseen) {
    const QString number = QStringLiteral("INV") + c + QStringLiteral("321-");
    try {
      po.setValue("ponum", number);
      QFAIL(qPrintable(QString("U+%1 was taken").arg(c.unicode(), 4, 16)));
    } catch (const DbError& error) {
      QCOMPARE(error.kind(), DbErrorKind::BadValue);
      QVERIFY2(error.message().startsWith("The text for ponum holds ") && error.message().endsWith("which cannot be stored."),
               qPrintable(error.message()));
    }
  }
  po.setValue("ponum", QString::fromUtf8("PO/\u0938\u0902-1 ") + emoji);  // any script, and emoji, are plain characters
}

void RecordSetTest::changedRowElsewhereIsAConflict() {
  TestDatabase db;
  RecordSet writer = RecordSet::openForAppend(db.connection(), "titemdescom");
  writer.addNew();
  writer.setValue("inqnum", "C1");
  writer.setValue("itemdes", "  PUMP");
  writer.updateBatch();

  auto other = Connection::open(db.path());
  RecordSet mine = RecordSet::openWhere(db.connection(), "titemdescom", "inqnum = ?", {"C1"});
  RecordSet theirs = RecordSet::openWhere(*other, "titemdescom", "inqnum = ?", {"C1"});
  theirs.setValue("itemdes", "  MOTOR");
  theirs.updateBatch();

  mine.setValue("itemdes", "  VALVE");
  try {
    mine.updateBatch();
    QFAIL("a changed row was overwritten");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::Conflict);
  }
  QCOMPARE(db.scalar("SELECT itemdes FROM titemdescom").toString(), QString("  MOTOR"));

  // A column nobody else touched is still written.
  RecordSet fresh = RecordSet::openWhere(db.connection(), "titemdescom", "inqnum = ?", {"C1"});
  fresh.setValue("quotenum", "Q1");
  fresh.updateBatch();
  QCOMPARE(db.scalar("SELECT quotenum FROM titemdescom").toString(), QString("Q1"));
}

void RecordSetTest::documentNumbersMatchExactlyThemselves() {
  TestDatabase db;
  const QStringList numbers = {"A'1", "A%1", "A_1", "A\\1", "AB1", "A11", "a'1x"};
  RecordSet rs = RecordSet::openForAppend(db.connection(), "tinquiry");
  for (const QString& n : numbers) {
    rs.addNew();
    rs.setValue("inqnum", n);
    rs.updateBatch();
  }
  for (const QString& n : numbers) {
    RecordSet found = RecordSet::openWhere(db.connection(), "tinquiry", documentqueries::numberIs("inqnum"), {n});
    QCOMPARE(found.recordCount(), 1);
    QCOMPARE(found.value("inqnum").toString(), n);
  }
  // Case-insensitive and blanks around ignored, as the office's numbers are compared.
  QCOMPARE(RecordSet::openWhere(db.connection(), "tinquiry", documentqueries::numberIs("inqnum"), {" ab1 "}).recordCount(),
           1);
  QVERIFY(numberTaken(db.connection(), "tinquiry", "inqnum", "a%1"));
  QVERIFY(!numberTaken(db.connection(), "tinquiry", "inqnum", "A%"));
}

void RecordSetTest::transactionIsAllOrNothing() {
  TestDatabase db;
  RecordSet summary = RecordSet::openForAppend(db.connection(), "titemdescom");
  summary.addNew();
  summary.setValue("inqnum", "T1");
  summary.updateBatch();

  RecordSet inquiry = RecordSet::openForAppend(db.connection(), "tinquiry");
  inquiry.addNew();
  inquiry.setValue("inqnum", "T1");
  RecordSet loaded = RecordSet::openWhere(db.connection(), "titemdescom", "inqnum = ?", {"T1"});
  loaded.setValue("quotenum", "Q1");
  db.connection().execute("UPDATE titemdescom SET quotenum = 'OTHER'");  // someone else got there first

  try {
    Transaction both(db.connection());
    inquiry.updateBatch();
    loaded.updateBatch();
    both.commit();
    QFAIL("the conflicting write went through");
  } catch (const DbError& error) {
    QCOMPARE(error.kind(), DbErrorKind::Conflict);
  }
  QCOMPARE(db.count("tinquiry"), 0);
  // The inquiry row is pending again, so a later save writes it once.
  QVERIFY(inquiry.isPending());
  inquiry.updateBatch();
  QCOMPARE(db.count("tinquiry"), 1);
}

void RecordSetTest::twoDigitYearsAndWholeNumbers() {
  QCOMPARE(dateFromInput("01/01/49"), QDate(2049, 1, 1));
  QCOMPARE(dateFromInput("31/12/50"), QDate(1950, 12, 31));
  QCOMPARE(dateFromInput("29/02/24"), QDate(2024, 2, 29));
  QVERIFY(!dateFromInput("29/02/23").isValid());
  QCOMPARE(shownDate("2026-12-09"), QString("09/12/26"));
  QCOMPARE(shownDate(QVariant()), QString());

  QCOMPARE(parseWholeNumber(" 10000 ", kInt16Range).value, 10000);
  QCOMPARE(parseWholeNumber("12a", kInt16Range).status, ParsedNumber::NotANumber);
  QCOMPARE(parseWholeNumber("", kInt16Range).status, ParsedNumber::NotANumber);
  QCOMPARE(parseWholeNumber("32768", kInt16Range).status, ParsedNumber::OutOfRange);
  QCOMPARE(parseWholeNumber("99999999999999999999", kInt32Range).status, ParsedNumber::OutOfRange);
}

void RecordSetTest::listsPageThroughDistinctValues() {
  TestDatabase db;
  RowWriter inquiries(db.connection(), "tinquiry");
  for (int i = 0; i < 25; ++i)  // 25 numbers, 3 clients, some without a client
    inquiries.append({QString("N%1").arg(i, 2, 10, QLatin1Char('0')), i % 4 == 3 ? QVariant() : QVariant(QString("C%1").arg(i % 3)),
                      QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
  ValueList clients(db.connection(), documentqueries::distinctValues("tinquiry", "client", db.connection().dialect()));
  QCOMPARE(clients.next(2), QStringList({"C0", "C1"}));
  QVERIFY(!clients.atEnd());
  QCOMPARE(clients.next(2), QStringList({"C2"}));
  QVERIFY(clients.atEnd());
}

QTEST_GUILESS_MAIN(RecordSetTest)
#include "tst_recordset.moc"
