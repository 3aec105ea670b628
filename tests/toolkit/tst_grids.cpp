// Grid models and the data control over them.
#include <QAbstractItemModelTester>
#include <QTableView>
#include <QtTest>

#include "store/recordset.h"
#include "store/rowwriter.h"
#include "tests/support/scriptedprompter.h"
#include "tests/support/testdatabase.h"
#include "toolkit/datacontrol.h"
#include "toolkit/editabletablemodel.h"
#include "toolkit/querytablemodel.h"

namespace {
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
  void dataControlTracksTheGridRow();
  void editableModelWritesTheLeftRowAndRefusesBadValues();
};

void GridsTest::queryModelReadsPagesAndShowsDates() {
  TestDatabase db;
  addInvoices(db, 450);  // more than two pages
  QueryTableModel model(db.connection(), "SELECT invoicenum, invoiceduedate FROM tinvoice ORDER BY pkeyinvoive", {},
                        {{"INVOICE", "invoicenum"}, {"DUE", "invoiceduedate", GridColumn::Pattern::Date}});
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
  QCOMPARE(model.rowCount(), 450);
  QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("DUE"));
  QCOMPARE(model.index(449, 0).data().toString(), QString("INV450"));
  QCOMPARE(model.index(1, 1).data().toString(), QString("03/02/26"));
  QCOMPARE(model.index(0, 1).data().toString(), QString());  // not applicable shows empty

  addInvoices(db, 1, 451);
  QCOMPARE(model.rowCount(), 450);
  model.refresh();
  QCOMPARE(model.rowCount(), 451);
}

void GridsTest::dataControlTracksTheGridRow() {
  TestDatabase db;
  addInvoices(db, 5);
  QueryTableModel model(db.connection(), "SELECT invoicenum FROM tinvoice");
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

  QueryTableModel empty(db.connection(), "SELECT invoicenum FROM tinvoice WHERE 1 = 0");
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
