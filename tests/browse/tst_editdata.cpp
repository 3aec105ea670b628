// The edit data form: cells typed into as a clerk does, rows left by the
// arrow keys, the form closed by its button.
#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "browse/browseforms.h"
#include "store/logins.h"
#include "store/queries/reportqueries.h"
#include "store/recordset.h"
#include "store/witnesses.h"
#include "tests/support/books.h"
#include "tests/support/clerk.h"
#include "toolkit/editablequerymodel.h"
#include "toolkit/viewgrid.h"

namespace {

struct EditDesk : Clerk {
  Books books{bench.db()};

  QTabWidget* tabs() { return bench.control<QTabWidget>(form, "SSTab1"); }
  ViewGrid* grid(const QString& name) { return bench.control<ViewGrid>(form, name); }
  void openTab(int tab) { bench.clickTab(tabs(), tab); }
  QString cell(const QString& gridName, int row, int column) {
    return grid(gridName)->model()->index(row, column).data().toString();
  }
  void type(const QString& gridName, int row, int column, const QString& text) {
    bench.typeIntoCell(grid(gridName), row, column, text);
  }
  void leaveRow(const QString& gridName) { QTest::keyClick(grid(gridName), Qt::Key_Down); }
  // A refused value comes back into its cell for correcting; Escape gives it up.
  void giveUpRefused(const QString& gridName, int column, const QString& typed) {
    QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) &&
                grid(gridName)->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(grid(gridName)->currentIndex().column(), column);
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  }
  // V-2 (800) above V-1 (700) on the open invoice tab.
  void openTwoInvoices() {
    books.invoice("P-1", "V-1", 700, "NO");
    books.invoice("P-2", "V-2", 800, "NO");
    open("frmeditdata");
    openTab(3);
  }
  void closeByButton() {
    click("cmdclose");
    QTRY_VERIFY(!isOpen("frmeditdata"));
  }
  QStringList outstanding() {
    QStringList invoices;
    ReportRows rows(bench.db().connection(), ReportQuery::Outstanding, {"invoicenum"});
    for (QVariantList values; rows.next(values);) invoices << values[0].toString();
    return invoices;
  }
};

// The invoice grid's columns.
constexpr int kInvoiceNumber = 3, kDueDate = 6, kAmount = 8, kPayment = 11, kReason = 12;

}  // namespace

class EditDataTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerBrowseForms(); }
  void opensOnTheRulesAndClosesByItsButton();
  void typedCellsAreStoredOnLeavingTheRowOrClosing();
  void refusedValuesLeaveTheRowAsStored();
  void aRowChangedElsewhereIsNotOverwritten();
  void aRefusedCellKeepsTheRowsGoodChange();
  void aChangedNumberTellsWhereTheOldOneStands();
  void theChangeLogShowsWhoChangedWhat();
  void theChangeLogSaysWhenItFailsItsCheck();
};

void EditDataTest::opensOnTheRulesAndClosesByItsButton() {
  EditDesk d;
  d.open("frmeditdata");
  QCOMPARE(d.form->windowTitle(), QString("EDIT  DATA"));
  QCOMPARE(d.tabs()->currentIndex(), 7);
  QVERIFY(d.bench.control<QLabel>(d.form, "Label1")->text().contains("NEVER  CHANGE INQUIRY NO/ PO NUMBER"));
  QCOMPARE(d.bench.control<QStackedWidget>(d.form, {})->currentWidget(), d.at("cmdedit"));

  d.books.quote("I-1", "Q-1");  // saved elsewhere before the tab is selected
  d.openTab(1);
  QCOMPARE(d.cell("dgquote", 0, 3), QString("Q-1"));
  QVERIFY(!(d.grid("dgquote")->model()->flags(d.grid("dgquote")->model()->index(0, 0)) & Qt::ItemIsEditable));

  d.prompts.expect("Please use CLOSE button at bottom to close this form..", "ALERT!");
  d.bench.clickCloseBox(d.form);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  d.closeByButton();
}

void EditDataTest::typedCellsAreStoredOnLeavingTheRowOrClosing() {
  EditDesk d;
  d.books.invoice("P-1", "V-1", 700, "NO");
  d.books.invoice("P-2", "V-2", 800, "NO");
  RowWriter(d.bench.db().connection(), "tinvoice")
      .append(QVariantHash{{"ponum", "P-3"}, {"invoicenum", "V-3"}, {"client", "Y"}, {"invoiceduedate", "1949-05-01"}});
  d.open("frmeditdata");
  d.openTab(3);  // sorted by client, then invoice number descending: V-2, V-1, V-3
  QAbstractItemModelTester tester(d.grid("dginvoice")->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
  QCOMPARE(d.cell("dginvoice", 0, kInvoiceNumber), QString("V-2"));

  d.type("dginvoice", 0, kPayment, " yes");  // a clerk's lower case
  d.type("dginvoice", 0, kDueDate, "15/03/26");
  QCOMPARE(d.bench.db().scalar("SELECT paymentstatus FROM tinvoice WHERE invoicenum = 'V-2'").toString(), QString("NO"));
  d.leaveRow("dginvoice");
  QCOMPARE(d.bench.db().scalar("SELECT paymentstatus FROM tinvoice WHERE invoicenum = 'V-2'").toString(), QString("YES"));
  QCOMPARE(d.bench.db().scalar("SELECT invoiceduedate FROM tinvoice WHERE invoicenum = 'V-2'").toString(),
           QString("2026-03-15"));
  QCOMPARE(d.outstanding(), QStringList({"V-1"}));  // paid: off the outstanding report

  // Opened and left unchanged, an old date keeps its century.
  d.bench.clickCell(d.grid("dginvoice"), 2, kDueDate);
  QTest::keyClick(d.grid("dginvoice"), Qt::Key_F2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  d.type("dginvoice", 1, kAmount, "750");  // the last change, written by CLOSE
  d.closeByButton();
  QCOMPARE(d.bench.db().scalar("SELECT invoiceamount FROM tinvoice WHERE invoicenum = 'V-1'").toInt(), 750);
  QCOMPARE(d.bench.db().scalar("SELECT invoiceduedate FROM tinvoice WHERE invoicenum = 'V-3'").toString(),
           QString("1949-05-01"));
}

void EditDataTest::refusedValuesLeaveTheRowAsStored() {
  EditDesk d;
  d.books.invoice("P-1", "V-1", 700, "NO");
  d.open("frmeditdata");
  d.openTab(3);
  d.prompts.expectContaining("INVOICE DUE DATE: \"31/02/26\" is not a date");
  d.type("dginvoice", 0, kDueDate, "31/02/26");
  d.giveUpRefused("dginvoice", kDueDate, "31/02/26");
  d.prompts.expectContaining("INVOICE AMOUNT: \"lots\" is not a whole number");
  d.type("dginvoice", 0, kAmount, "lots");
  d.giveUpRefused("dginvoice", kAmount, "lots");
  d.prompts.expectContaining("REASON: The text for reason holds a character that turns the writing direction (U+202E)");
  d.type("dginvoice", 0, kReason, QString(QChar(0x202E)) + "DIAP");
  d.giveUpRefused("dginvoice", kReason, QString(QChar(0x202E)) + "DIAP");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.cell("dginvoice", 0, kAmount), QString("700"));
  d.type("dginvoice", 0, kAmount, "900");  // the grid still takes a good value
  d.closeByButton();
  QCOMPARE(d.bench.db().scalar("SELECT invoiceamount FROM tinvoice").toInt(), 900);
  QVERIFY(d.bench.db().scalar("SELECT invoiceduedate FROM tinvoice").isNull());
}

void EditDataTest::aRowChangedElsewhereIsNotOverwritten() {
  EditDesk d;
  d.openTwoInvoices();
  d.bench.db().scalar("UPDATE tinvoice SET invoiceamount = 999 WHERE invoicenum = 'V-2'");  // another window
  d.type("dginvoice", 0, kAmount, "850");
  d.prompts.expectContaining("This row was changed elsewhere since it was shown here");
  d.leaveRow("dginvoice");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.bench.db().scalar("SELECT invoiceamount FROM tinvoice WHERE invoicenum = 'V-2'").toInt(), 999);
  QCOMPARE(d.cell("dginvoice", 0, kAmount), QString("999"));
  d.closeByButton();
}

// A good change, then a bad value typed into another cell of the row and the
// row left with Down: the row stays, with the bad value open for correcting;
// nothing of it is stored until it is corrected or given up with Escape.
void EditDataTest::aRefusedCellKeepsTheRowsGoodChange() {
  EditDesk d;
  d.openTwoInvoices();
  ViewGrid* grid = d.grid("dginvoice");
  const auto stored = [&d](const char* invoice) {
    return d.stored(QString("SELECT coalesce(invoiceduedate, 'null') || '|' || invoiceamount FROM tinvoice "
                            "WHERE invoicenum = '%1'").arg(invoice));
  };
  const auto typeAndLeave = [&](int row, const QString& text, Qt::Key leaving) {
    d.bench.clickCell(grid, row, kAmount);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), leaving);
  };

  d.type("dginvoice", 0, kDueDate, "15/03/26");
  d.prompts.expectContaining("INVOICE AMOUNT: \"12ab\" is not a whole number");
  typeAndLeave(0, "12ab", Qt::Key_Down);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_COMPARE(grid->currentIndex(), grid->model()->index(0, kAmount));
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QVERIFY(editor && grid->isAncestorOf(editor));
  QCOMPARE(editor->text(), QString("12ab"));
  QCOMPARE(stored("V-2"), QString("null|800"));  // pending, not dropped
  QTest::keyClicks(editor, "850");  // over the selected text
  QTest::keyClick(editor, Qt::Key_Down);
  QTRY_COMPARE(stored("V-2"), QString("2026-03-15|850"));

  d.type("dginvoice", 1, kDueDate, "16/03/26");
  d.prompts.expectContaining("\"x\" is not a whole number");
  typeAndLeave(1, "x", Qt::Key_Up);
  QTRY_COMPARE(grid->currentIndex(), grid->model()->index(1, kAmount));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // given up: the cell keeps what is stored
  QVERIFY(d.isOpen("frmeditdata"));
  QTest::keyClick(grid, Qt::Key_Up);
  QTRY_COMPARE(stored("V-1"), QString("2026-03-16|700"));
  QVERIFY2(d.prompts.done(), d.prompts.report());
  d.closeByButton();
}

void EditDataTest::aChangedNumberTellsWhereTheOldOneStands() {
  EditDesk d;
  d.books.chain("1", "ALPHA", true, true);
  d.books.inquiry("I-2", "BETA");
  d.open("frmeditdata");
  d.openTab(0);
  d.type("dginq", 0, 1, "I-9");
  d.prompts.expect("INQUIRY No. was changed from I-1 to I-9 in this table only. Rows that still carry I-1 - ITEM "
                   "DESCRIPTION: 1, QUOTE: 1, ADDRESS BOOK: 1. Change them on those tabs too if they belong to the same "
                   "document.",
                   "ALERT!", Prompter::Answer::Ok, Prompter::Icon::Warning);
  d.leaveRow("dginq");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.bench.db().scalar("SELECT inqnum FROM tinquiry WHERE client = 'ALPHA'").toString(), QString("I-9"));
  QCOMPARE(d.bench.db().scalar("SELECT inqnum FROM tquote").toString(), QString("I-1"));  // as the rules warn
  d.closeByButton();
}

void EditDataTest::theChangeLogShowsWhoChangedWhat() {
  EditDesk d;
  d.books.invoice("P-1", "V-1", 700, "NO");
  d.books.invoice("P-2", "V-2", 800, "NO");
  RecordSet gate = RecordSet::openForAppend(d.bench.db().connection(), "tlogineditdata");
  gate.addNew();
  writeSignInLog(gate, "ravi", QDateTime::currentDateTime());  // ravi passed the gate here
  d.books.signIn("tlogineditdata", "admin", "2026-01-05", "10:00:00");  // and the administrator at another computer
  d.open("frmeditdata");
  d.openTab(3);
  d.type("dginvoice", 1, kPayment, "yes");
  d.click("cmdchangelog");  // the correction still in its row is written first
  QTRY_VERIFY(d.isOpen("frmchangelog"));
  QWidget* log = d.bench.host().find("frmchangelog");
  auto* grid = d.bench.control<ViewGrid>(log, "dgchangelog");
  QCOMPARE(grid->model()->index(0, 7).data().toString(), QString("paymentstatus: NO -> YES"));  // newest first
  QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("ravi"));
  QCOMPARE(grid->model()->index(0, 2).data().toString(), QString("frmeditdata"));

  auto* number = d.bench.control<QLineEdit>(log, "txtnumber");
  d.bench.type(number, " v-2");
  QTest::keyClick(number, Qt::Key_Return);
  QTRY_COMPARE(grid->model()->rowCount(), 1);  // V-2 was never changed: its NEW entry only
  QCOMPARE(grid->model()->index(0, 6).data().toString(), QString("NEW"));

  auto* from = d.bench.control<QLineEdit>(log, "txtfrom");
  d.bench.type(from, "31/02/26");
  d.prompts.expect("FROM DATE: type a date as dd/mm/yy or dd/mm/yyyy.", "CHANGE LOG", Prompter::Answer::Ok,
                   Prompter::Icon::Warning);
  QTest::keyClick(from, Qt::Key_Return);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(grid->model()->rowCount(), 1);  // the list stays as it was
}

// A log whose head no longer matches what this computer witnessed is not
// listed as if it were sound.
void EditDataTest::theChangeLogSaysWhenItFailsItsCheck() {
  EditDesk d;
  d.books.invoice("P-1", "V-1", 700, "NO");
  d.open("frmeditdata");
  d.click("cmdchangelog");
  QTRY_VERIFY(d.isOpen("frmchangelog"));
  QLabel* line = d.bench.control<QLabel>(d.bench.host().find("frmchangelog"), "lblcheck");
  QVERIFY(line && !line->isVisible());
  d.bench.click(d.bench.control<QPushButton>(d.bench.host().find("frmchangelog"), "cmdclose"));
  QTRY_VERIFY(!d.isOpen("frmchangelog"));

  recordWitness(d.bench.db().path(), "sign-in", 1, "a seal this log never had");
  d.click("cmdchangelog");
  QTRY_VERIFY(d.isOpen("frmchangelog"));
  line = d.bench.control<QLabel>(d.bench.host().find("frmchangelog"), "lblcheck");
  QVERIFY(line->isVisible());
  QVERIFY2(line->text().startsWith("THE CHANGE LOG FAILS ITS CHECK: change log: entry 1 is not the one witnessed"),
           qPrintable(line->text()));
}

QTEST_MAIN(EditDataTest)
#include "tst_editdata.moc"
