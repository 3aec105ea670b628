// The invoice/challan form closing deals entered through the earlier forms.
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "documents/documentforms.h"
#include "store/documentchain.h"
#include "store/layout/chaincheck.h"
#include "store/queries/documentqueries.h"
#include "store/queries/valuelist.h"
#include "tests/support/clerk.h"

namespace {

struct InvoiceDesk : Clerk {
  // A deal up to its purchase order, entered through the forms.
  void ordered(const QString& n, const QList<ItemLineEntry>& lines = {}) {
    enterInquiry("I-" + n, "CLIENT " + n, lines);
    enterQuotation("I-" + n, "Q-" + n);
    enterOrder("Q-" + n, "PO-" + n);
  }
  void openInvoice() { open("frminvoicechallan"); }
  void showOrder(const QString& number) {
    combo("datacomponuminv")->setEditText(number);
    click("cmdshow");
  }
  void saveYes(const QString& then = {}) { Clerk::saveYes("cmdsaveinv", then); }
  bool invoicing() { return isOpen("frminvoicechallan"); }
  void clickDay(QDate day) { bench.clickDay(qobject_cast<QCalendarWidget*>(at("calinvdateinv")), day); }
};

}  // namespace

class InvoiceChallanTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerDocumentForms(); }
  void wholeChainThroughTheForms();
  void challanFollowsTheInvoiceNumberAndDates();
  void saveMarksTheOrderShownAndRefusesBadEntries();
  void failedSaveStoresNothing();
  void noThenNoStoresNothing();
};

void InvoiceChallanTest::wholeChainThroughTheForms() {
  InvoiceDesk d;
  d.ordered("1", {{"p", "PUMP(2)", "2", "KSB"}});
  d.openInvoice();
  QCOMPARE(d.form->windowTitle(), QString("Invoice/Challan FORM"));
  QCOMPARE(d.combo("datacomponuminv")->currentText(), QString("PO-1"));  // SHOW right away takes it
  d.click("cmdshow");
  QCOMPARE(d.box("txtclient")->text(), QString("CLIENT 1"));
  QCOMPARE(d.box("txtidp")->text(), QString("PUMP(2)"));
  QVERIFY(!d.at("frameitemreqinq")->isEnabled());
  d.type("txtinvnuminv", "inv/1");
  d.type("txtinvoiceamount", "99000");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.invoicing());

  const QString today = QDate::currentDate().toString(Qt::ISODate);
  QCOMPARE(d.stored("SELECT ponum || '|' || client || '|' || invoicenum || '|' || challannum || '|' || invoiceamount || "
                    "'|' || login || '|' || logindate || '|' || coalesce(paymentstatus, 'null') FROM tinvoice"),
           "PO-1|CLIENT 1|INV/1|INV/1|99000|clerk|" + today + "|null");
  QCOMPARE(d.stored("SELECT i.invoicenum || '|' || s.invoicenum || '|' || s.itemdes FROM titeminq i, titemdescom s"),
           QString("INV/1|INV/1|  PUMP(2)"));
  QCOMPARE(d.stored("SELECT quotesendstatus || orderstatus || orderexecutionstatus FROM tinquiry, tquote, tpo"),
           QString("YESYESYES"));
  QCOMPARE(ValueList(d.bench.db().connection(), openParentsList(Step::Invoice)).next(10), QStringList());
  QCOMPARE(checkDatabase(d.bench.db().connection()).brokenChains, QStringList());
}

void InvoiceChallanTest::challanFollowsTheInvoiceNumberAndDates() {
  InvoiceDesk d;
  d.ordered("2");
  d.openInvoice();
  d.click("cmdshow");
  d.type("txtinvnuminv", "inv7");
  QCOMPARE(d.box("txtchallannum")->text(), QString("INV7"));
  d.box("txtchallannum")->selectAll();
  d.type("txtchallannum", "ch7");
  d.box("txtinvnuminv")->setFocus();
  d.box("txtinvnuminv")->end(false);
  QTest::keyClick(d.at("txtinvnuminv"), Qt::Key_8);
  QCOMPARE(d.box("txtchallannum")->text(), QString("INV78"));  // a later invoice number replaces it again
  d.box("txtchallannum")->selectAll();
  d.type("txtchallannum", "CH7");

  d.clickDay(QDate(2026, 12, 3));
  d.click("txtinvoicedate");  // the invoice date is the challan's too
  d.clickDay(QDate(2026, 12, 4));
  d.click("txtchallandate");
  d.clickDay(QDate(2026, 12, 31));
  d.click("txtinvduedate");
  d.click("cmdnotappinv");
  d.click("txtinvduedate");  // the calendar's day again
  QCOMPARE(d.box("txtinvoicedate")->text() + " " + d.box("txtchallandate")->text() + " " + d.box("txtinvduedate")->text(),
           QString("03/12/26 04/12/26 31/12/26"));
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT invoicenum || '|' || challannum || '|' || invoicedate || '|' || challandate || '|' || "
                    "invoiceduedate FROM tinvoice"),
           QString("INV78|CH7|2026-12-03|2026-12-04|2026-12-31"));
}

void InvoiceChallanTest::saveMarksTheOrderShownAndRefusesBadEntries() {
  InvoiceDesk d;
  d.ordered("3");
  d.ordered("4");
  d.openInvoice();
  d.showOrder("PO-3");
  d.combo("datacomponuminv")->setEditText("PO-4");  // changed after SHOW, not shown
  d.saveYes("WRITE INVOICE NUMBER otherwise Data will not be saved..");
  d.type("txtinvnuminv", " ");
  d.saveYes("WRITE INVOICE NUMBER otherwise Data will not be saved..");
  d.bench.clear(d.at("txtinvnuminv"));
  d.type("txtinvnuminv", "SAME");
  d.box("txtchallannum")->clear();
  d.box("txtclient")->clear();
  d.type("txtinvoiceamount", "1.5");
  const QString notANumber = "Please use NUMBER(0 to 9) only...INVOICE AMOUNT is not saved";
  d.prompts.reset();  // the amount box warned about the point
  d.prompts.expect(notANumber);
  d.saveYes(notANumber);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tinvoice"), 0);
  d.box("txtinvoiceamount")->clear();
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.storedList("SELECT ponum || '=' || coalesce(orderexecutionstatus, 'null') FROM tpo ORDER BY pkeypo"),
           QString("PO-3=YES,PO-4=null"));
  QCOMPARE(d.stored("SELECT ponum || '|' || coalesce(challannum, 'null') || '|' || coalesce(client, 'null') FROM tinvoice"),
           QString("PO-3|null|null"));

  d.openInvoice();
  d.showOrder("PO-4");
  d.type("txtinvnuminv", "same ");
  d.saveYes("This Invoice No. already exist..Please Write New Invoice Number ...");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.invoicing());
  QCOMPARE(d.rows("tinvoice"), 1);
}

void InvoiceChallanTest::failedSaveStoresNothing() {
  InvoiceDesk d;
  d.ordered("5");
  d.openInvoice();
  d.click("cmdshow");
  d.type("txtinvnuminv", "INV-5");
  auto other = Connection::open(d.bench.db().path());
  other->execute("ALTER TABLE tpo RENAME TO hidden");
  d.saveYes("tpo");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tinvoice"), 0);
  QCOMPARE(d.stored("SELECT coalesce(invoicenum, 'null') FROM titemdescom"), QString("null"));
  other->execute("ALTER TABLE hidden RENAME TO tpo");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT invoicenum || orderexecutionstatus FROM titemdescom, tpo"), QString("INV-5YES"));
}

void InvoiceChallanTest::noThenNoStoresNothing() {
  InvoiceDesk d;
  d.ordered("6");
  d.openInvoice();
  d.click("cmdshow");
  d.type("txtinvnuminv", "INV-6");
  d.prompts.expect(kSaveQuestion, Prompter::Answer::No)
      .expect("Click YES if want to fill remaining data...Click NO if want to close form without saving data", "",
              Prompter::Answer::No);
  d.click("cmdsaveinv");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.invoicing());
  QCOMPARE(d.rows("tinvoice"), 0);
  QCOMPARE(d.stored("SELECT coalesce(invoicenum, 'null') || '|' || coalesce(orderexecutionstatus, 'null') FROM titeminq, tpo"),
           QString("null|null"));
}

QTEST_MAIN(InvoiceChallanTest)
#include "tst_invoicechallan.moc"
