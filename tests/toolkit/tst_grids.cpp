// Grid models and the data control over them.
#include <QAbstractItemModelTester>
#include <QTableView>
#include <QtTest>

#include "store/queries/pagedquery.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/statement.h"
#include "tests/support/scriptedprompter.h"
#include "tests/support/testdatabase.h"
#include "toolkit/datacontrol.h"
#include "toolkit/editabletablemodel.h"
#include "toolkit/querytablemodel.h"

namespace {
SortedQuery listOf(const char* rows, std::vector<SortTerm> order = {}) {
  return {rows, std::move(order), {}, {}, SortedQuery::Kind::Plain, {}};
}

// The count runs on a thread of its own; the test waits for it as the window would.
bool counted(QueryTableModel& model) {
  model.countRows();
  return QTest::qWaitFor([&model] { return model.counted(); });
}

void addInvoices(TestDatabase& db, int count, int first = 1) {
  RowWriter writer(db.connection(), "tinvoice");
  for (int i = first; i < first + count; ++i)
    writer.append({QString("PO%1").arg(i), "CLIENT", QString("INV%1").arg(i), QString("CH%1").arg(i), "2026-01-02",
                   i % 2 ? QVariant() : QVariant("2026-02-03"), "2026-01-02", i * 100, "clerk", "2026-01-02",
                   QVariant(), QVariant()});
}
}  // namespace

class GridsTest : public QObject {
  Q_OBJECT

 private slots:
  void queryModelReadsPagesAndShowsDates();
  void numbersReadAsTheOfficeGroupsThem();
  void pagesReadInAnyOrderMatchOneSortedRead();
  void dataControlTracksTheGridRow();
  void editableModelWritesTheLeftRowAndRefusesBadValues();
};

void GridsTest::queryModelReadsPagesAndShowsDates() {
  TestDatabase db;
  addInvoices(db, 450);  // more than two pages
  QueryTableModel model(db.connection(), listOf("SELECT invoicenum, invoiceduedate, pkeyinvoive FROM tinvoice", {{"pkeyinvoive"}}),
                        {{"INVOICE", "invoicenum"}, {"DUE", "invoiceduedate", GridColumn::Pattern::Date}});
  QTableView grid;
  grid.setModel(&model);
  DataControl control("adoinvoice", &grid);
  QCOMPARE(control.caption(), QString("1  OF  200+"));  // the first page, until counted or read on
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QVERIFY(counted(model));
  QCOMPARE(control.caption(), QString("1  OF  450"));
  QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("DUE"));
  QCOMPARE(model.index(449, 0).data().toString(), QString("INV450"));
  QCOMPARE(model.index(1, 1).data().toString(), QString("03/02/26"));
  QCOMPARE(model.index(0, 1).data().toString(), QString());  // not applicable shows empty

  addInvoices(db, 1, 451);
  QCOMPARE(model.rowCount(), 450);
  model.refresh();
  QVERIFY(counted(model));
  QCOMPARE(model.rowCount(), 451);
}

// Amounts in lakhs and crores, right-aligned; a key right-aligned but not grouped.
void GridsTest::numbersReadAsTheOfficeGroupsThem() {
  TestDatabase db;
  addInvoices(db, 1, 123456);
  QueryTableModel model(db.connection(), listOf("SELECT invoicenum, invoiceamount, pkeyinvoive FROM tinvoice", {{"pkeyinvoive"}}),
                        {{"INVOICE", "invoicenum"}, {"AMOUNT", "invoiceamount"}, {"KEY", "pkeyinvoive", GridColumn::Pattern::Key}});
  const auto aligned = [&model](int column) { return Qt::Alignment(model.index(0, column).data(Qt::TextAlignmentRole).toInt()); };
  QCOMPARE(model.index(0, 1).data().toString(), QString("1,23,45,600"));
  QVERIFY(aligned(1) & Qt::AlignRight);
  QVERIFY(aligned(0) & Qt::AlignLeft);
  QVERIFY(aligned(2) & Qt::AlignRight);
  QCOMPARE(model.index(0, 2).data().toString(), db.scalar("SELECT pkeyinvoive FROM tinvoice").toString());
}

void GridsTest::pagesReadInAnyOrderMatchOneSortedRead() {
  TestDatabase db;
  // Repeated clients and amounts, and missing due dates at the end of the
  // descending order, so that page boundaries fall among equal values and nulls.
  RowWriter writer(db.connection(), "tinvoice");
  for (int i = 0; i < 700; ++i)
    writer.append(QVariantHash{{"client", QString("C%1").arg(i % 7)},
                               {"invoicenum", QString("V%1").arg(i, 3, 10, QChar('0'))},
                               {"invoiceduedate", i % 5 ? QVariant(QString("2026-01-%1").arg(i % 28 + 1, 2, 10, QChar('0'))) : QVariant()},
                               {"invoiceamount", i % 3 ? QVariant(i % 3 * 100) : QVariant()}});
  const char* rows = "SELECT client, invoiceduedate, invoiceamount, invoicenum FROM tinvoice";
  QStringList expected;
  Statement sorted(db.connection(), QString(rows) + " ORDER BY invoiceduedate DESC, client, invoiceamount DESC, invoicenum");
  while (sorted.step()) expected << sorted.value(3).toString();

  const QList<QList<int>> readings = {
      {0, 699},             // forward, page after page
      {699, 0},             // from the last row backwards
      {350, 0, 699, 349},   // a jump into the middle, then out from it both ways
  };
  for (const QList<int>& reading : readings) {
    QueryTableModel model(db.connection(),
                          listOf(rows, {{"invoiceduedate", true}, {"client"}, {"invoiceamount", true}}));
    QVERIFY(counted(model));  // before the tester, which would read every page in turn
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 700);
    for (int leg = 0; leg + 1 < reading.size(); leg += 2) {
      const int step = reading[leg] <= reading[leg + 1] ? 1 : -1;
      for (int r = reading[leg]; r != reading[leg + 1] + step; r += step)
        QCOMPARE(model.index(r, 3).data().toString(), expected[r]);
    }
  }
}

void GridsTest::dataControlTracksTheGridRow() {
  TestDatabase db;
  addInvoices(db, 5);
  QueryTableModel model(db.connection(), listOf("SELECT invoicenum FROM tinvoice"));
  QTableView grid;
  grid.setModel(&model);
  DataControl control("adoinvoice", &grid);
  QCOMPARE(control.caption(), QString("1  OF  5"));
  control.moveLast();
  QCOMPARE(control.caption(), QString("5  OF  5"));
  control.moveNext();  // stays on the last row
  QCOMPARE(control.caption(), QString("5  OF  5"));
  grid.setCurrentIndex(model.index(2, 0));
  QCOMPARE(control.caption(), QString("3  OF  5"));
  control.moveFirst();
  control.movePrevious();
  QCOMPARE(control.caption(), QString("1  OF  5"));

  QueryTableModel empty(db.connection(), listOf("SELECT invoicenum FROM tinvoice WHERE 1 = 0"));
  QTableView emptyGrid;
  emptyGrid.setModel(&empty);
  QCOMPARE(DataControl("adoempty", &emptyGrid).caption(), QString("0  OF  0"));
}

void GridsTest::editableModelWritesTheLeftRowAndRefusesBadValues() {
  TestDatabase db;
  ScriptedPrompter prompts;
  addInvoices(db, 3);
  EditableTableModel model(RecordSet::openTable(db.connection(), "tinvoice"),
                           {{"PAID", "paymentstatus"}, {"AMOUNT", "invoiceamount"},
                            {"DUE", "invoiceduedate", GridColumn::Pattern::Date}});
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QTableView grid;
  grid.setModel(&model);
  DataControl control("adoedit", &grid);
  connect(&control, &DataControl::rowLeft, &model, [&](int previous, int) { model.commitRow(previous); });

  QVERIFY(model.setData(model.index(0, 0), "YES"));
  QVERIFY(model.setData(model.index(0, 2), "15/03/26"));
  QCOMPARE(model.index(0, 2).data().toString(), QString("15/03/26"));
  QVERIFY(db.scalar("SELECT paymentstatus FROM tinvoice WHERE pkeyinvoive = 1").isNull());  // not yet left

  prompts.expectContaining("invoiceamount");
  QVERIFY(!model.setData(model.index(0, 1), "lots"));
  QVERIFY2(prompts.done(), prompts.report());
  QCOMPARE(model.index(0, 1).data().toLongLong(), 100);

  control.moveNext();  // leaving the row writes it
  QCOMPARE(db.scalar("SELECT paymentstatus FROM tinvoice WHERE pkeyinvoive = 1").toString(), QString("YES"));
  QCOMPARE(db.scalar("SELECT invoiceduedate FROM tinvoice WHERE pkeyinvoive = 1").toString(), QString("2026-03-15"));
}

QTEST_MAIN(GridsTest)
#include "tst_grids.moc"
