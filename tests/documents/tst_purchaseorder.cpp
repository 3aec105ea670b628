// The purchase order form answering quotations made through the earlier forms.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "documents/documentforms.h"
#include "store/documentchain.h"
#include "store/layout/chaincheck.h"
#include "store/queries/documentqueries.h"
#include "store/queries/valuelist.h"
#include "tests/support/clerk.h"
#include "tests/support/readers.h"

namespace {

const QString kNotInList = "Please Choose Existing Quotation Number From Quotation Number List";
const QString kRefusal = "Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form";

struct OrderDesk : Clerk {
  // An inquiry and its quotation, entered through their forms.
  void quoted(const QString& inquiry, const QString& quote, const QString& client, const QList<ItemLineEntry>& lines) {
    enterInquiry(inquiry, client, lines);
    enterQuotation(inquiry, quote);
  }
  void openOrder() { open("frmpurchaseorder"); }
  void showQuote(const QString& number) {
    combo("datacomquotenumpo")->setEditText(number);
    click("cmdshowedit");
  }
  void saveYes(const QString& then = {}) { Clerk::saveYes("cmdsavepo", then); }
  bool ordering() { return isOpen("frmpurchaseorder"); }
  QCheckBox* check(const QString& name) { return qobject_cast<QCheckBox*>(at(name)); }
  QStringList openOrders() {
    ValueList orders(bench.db().connection(), openParentsList(Step::Invoice));
    return orders.next(100);
  }
};

}  // namespace

class PurchaseOrderTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerDocumentForms(); }
  void orderWithStockAndFilesEndToEnd();
  void termsWarnWhenLeftUnchosenAndTakeTypedTerms();
  void itemLinesChangeOnlyAfterEdit();
  void saveMarksTheQuotationShownAndRefusesBadNumbers();
  void numbersHoldOnlyWhatCanBeFoundAgain();
  void failedOrConflictingSaveStoresNothing();
  void noThenNoAndCloseRules();
  void unreadableDriveKeepsTheLists();
  void aScreenReaderPicksTheQuotationAndTicksWhatIsStored();
};

void PurchaseOrderTest::orderWithStockAndFilesEndToEnd() {
  QTemporaryDir home;
  QVERIFY(QDir(home.path()).mkpath("ORDERS"));
  QFile file(home.filePath("ORDERS/PO12.DOC"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  qputenv("HOME", home.path().toUtf8());  // the first place the drive list offers

  OrderDesk d;
  d.quoted("I-1", "Q-1", "ACME PUMPS",
           {{"p", "PUMP(2)", "2", "KSB"}, {"c", "COUPLING(2)", "2", "FENNER"}, {"motor", "MOTOR(1)", "1", " ABB "}});
  d.openOrder();
  QCOMPARE(d.form->windowTitle(), QString("PURCHASE ORDER FORM"));
  QCOMPARE(d.combo("datacomquotenumpo")->currentText(), QString("Q-1"));  // the first quotation to order
  QVERIFY(!d.at("frametax")->isEnabled());
  d.click("cmdshowedit");
  QCOMPARE(d.box("txtclient")->text(), QString("ACME PUMPS"));
  QCOMPARE(d.box("txtidc")->text(), QString("COUPLING(2)"));
  QVERIFY(!d.at("frameitemreqinq")->isEnabled());

  d.type("txtponumpo", "po/1");
  QCOMPARE(d.box("txtponumpo")->text(), QString("PO/1"));
  auto* calendar = qobject_cast<QCalendarWidget*>(d.at("caldatepo"));
  d.bench.clickDay(calendar, QDate(2026, 12, 3));
  d.click("txtpodate");
  d.bench.clickDay(calendar, QDate(2026, 12, 20));
  d.click("txtpoduedate");
  QCOMPARE(d.box("txtpodate")->text() + " " + d.box("txtpoduedate")->text(), QString("03/12/26 20/12/26"));
  d.bench.clickItem(d.list("listtaxmode"), "4 % Against Form 'C'");
  d.bench.clickItem(d.list("listinvoiceing"), "Excise");
  d.bench.clickItem(d.list("listpffreight"), "Inclusive");
  d.combo("compayterm")->setCurrentText("Within 30 Days");
  d.type("txtpovalue", "150000");

  // Coupling in stock; pump ticked twice: out of stock, and said so.
  d.click("chkstockc");
  d.click("chkstockp");
  d.click("chkstockp");
  // One file for two categories; a box clicked before any file was chosen holds the empty text.
  d.click("txtfileps");
  d.bench.doubleClickItem(d.list("dirboxpo"), "ORDERS");
  d.bench.doubleClickItem(d.list("fileboxpo"), "PO12.DOC");
  const QString path = QDir::toNativeSeparators(home.filePath("ORDERS/PO12.DOC"));
  QCOMPARE(d.box("txtfilenameclicked")->text(), path);
  d.click("txtfilep");
  d.click("txtfilemotor");

  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.ordering());
  const QString today = QDate::currentDate().toString(Qt::ISODate);
  QCOMPARE(d.stored("SELECT quotenum || '|' || client || '|' || ponum || '|' || podate || '|' || poduedate || '|' || "
                    "taxmode || '|' || invoicemode || '|' || pnfnfreight || '|' || paymentterm || '|' || povalue || '|' || "
                    "login || '|' || logindate || '|' || coalesce(orderexecutionstatus, 'null') FROM tpo"),
           "Q-1|ACME PUMPS|PO/1|2026-12-03|2026-12-20|4 % Against Form 'C'|Excise|Inclusive|Within 30 Days|150000|clerk|" +
               today + "|null");
  QCOMPARE(d.stored("SELECT ponum || '|' || stockp || '|' || stockc || '|' || coalesce(stockmotor, 'null') || '|' || "
                    "filep || '|' || filemotor || '|' || coalesce('''' || fileps || '''', 'NULL') || '|' || coalesce(filec, 'null') FROM titeminq"),
           "PO/1|NO|YES|null|" + path + "|" + path + "|''|null");
  // KSB is ticked and out of stock, FENNER in stock; ABB loses its blanks.
  QCOMPARE(d.stored("SELECT ponum || '|' || pomanf || '|' || itemdes FROM titemdescom"),
           QString("PO/1|  KSB  ABB|  PUMP(2)  COUPLING(2)  MOTOR(1)"));
  QCOMPARE(d.stored("SELECT orderstatus FROM tquote"), QString("YES"));
  QCOMPARE(d.openOrders(), QStringList({"PO/1"}));
  QCOMPARE(checkDatabase(d.bench.db().connection()).brokenChains, QStringList());

  d.openOrder();
  QCOMPARE(d.combo("datacomquotenumpo")->count(), 0);
  d.prompts.expect(kNotInList, "ALERT!");
  d.showQuote("q-1");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  qunsetenv("HOME");
}

void PurchaseOrderTest::termsWarnWhenLeftUnchosenAndTakeTypedTerms() {
  OrderDesk d;
  d.quoted("I-2", "Q-2", "X", {});
  d.openOrder();
  d.click("cmdshowedit");
  d.type("txtponumpo", "PO-2");
  // Tabbing through the frame without choosing.
  d.prompts.expect("Please choose One Tax Mode", "ALERT!")
      .expect("Please choose One INVOICEING Mode", "ALERT!")
      .expect("Please choose One P/F/Freight Mode ", "ALERT!")
      .expect("Please choose or write Payment Term", "ALERT!");
  for (const char* name : {"listtaxmode", "listinvoiceing", "listpffreight", "compayterm"}) d.bench.tab(d.at(name));
  QVERIFY2(d.prompts.done(), d.prompts.report());

  d.type("compayterm", "Within 90 Days");
  d.type("txtpovalue", "12x");
  const QString notANumber = "Please use NUMBER(0 to 9) only...PO VALUE is not saved";
  d.prompts.expect(notANumber, "ALERT!");  // leaving the box for SAVE, then SAVE itself
  d.saveYes(notANumber);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tpo"), 0);
  d.box("txtpovalue")->clear();
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT coalesce(taxmode, 'null') || '|' || paymentterm || '|' || coalesce(CAST(povalue AS TEXT), 'null') FROM tpo"),
           QString("null|Within 90 Days|null"));
  QCOMPARE(d.stored("SELECT coalesce('''' || pomanf || '''', 'NULL') FROM titemdescom"), QString("''"));  // nothing left to order
}

void PurchaseOrderTest::itemLinesChangeOnlyAfterEdit() {
  OrderDesk d;
  d.quoted("I-3", "Q-3", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.quoted("I-4", "Q-4", "Y", {{"p", "SEAL(1)", "1", "JYOTI"}});
  d.openOrder();
  d.showQuote("Q-3");
  d.type("txtidp", " MORE");  // the lines take no input before EDIT??
  QCOMPARE(d.box("txtidp")->text(), QString("PUMP(1)"));
  d.type("txtponumpo", "PO-3");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT idp || '|' || itemdes || '|' || pomanf FROM titeminq, titemdescom "
                    "WHERE titeminq.inqnum = 'I-3' AND titemdescom.inqnum = 'I-3'"),
           QString("PUMP(1)|  PUMP(1)|  KSB"));

  d.openOrder();
  d.showQuote("Q-4");
  d.click("cmdedit");
  d.click("chkmotor");
  d.type("txtidmotor", "MOTOR(1)");
  d.enter("txtmotorqty", "1");
  d.enter("datacommanfmotor", "ABB");
  d.type("txtponumpo", "PO-4");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT itemdes || '|' || qty || '|' || manf || '|' || pomanf FROM titemdescom WHERE inqnum = 'I-4'"),
           QString("  SEAL(1)  MOTOR(1)|2|  JYOTI  ABB|  JYOTI  ABB"));
}

void PurchaseOrderTest::saveMarksTheQuotationShownAndRefusesBadNumbers() {
  OrderDesk d;
  d.quoted("I-5", "Q-5", "ALPHA", {});
  d.quoted("I-6", "Q-6", "BETA", {});
  d.openOrder();
  d.showQuote("Q-5");
  d.combo("datacomquotenumpo")->setEditText("Q-6");  // changed after SHOW, not shown
  d.saveYes("WRITE PO NUMBER otherwise Data will not be saved..");
  d.type("txtponumpo", "DUP");
  d.box("txtclient")->clear();
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.storedList("SELECT quotenum || '=' || coalesce(orderstatus, 'null') FROM tquote ORDER BY pkeyquote"),
           QString("Q-5=YES,Q-6=null"));
  QCOMPARE(d.stored("SELECT quotenum || '|' || coalesce(client, 'null') FROM tpo"), QString("Q-5|null"));

  d.openOrder();
  d.showQuote("Q-6");
  d.type("txtponumpo", " dup");
  d.saveYes("This PO No. already exist..Please Write New PO Number ...");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.ordering());
  QCOMPARE(d.rows("tpo"), 1);
}

void PurchaseOrderTest::numbersHoldOnlyWhatCanBeFoundAgain() {
  OrderDesk d;
  d.quoted("I-7", "Q-7", "GAMMA", {});
  d.openOrder();
  d.showQuote("Q-7");
  QLineEdit* number = d.box("txtponumpo");
  d.type("txtponumpo", "   ");  // never listed for an invoice
  d.saveYes("WRITE PO NUMBER otherwise Data will not be saved..");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tpo"), 0);

  d.bench.clear(number);
  d.type("txtponumpo", "INV");
  const QList<QPair<QString, QString>> refused = {
      {"\t1", "a tab"},
      {QString(QChar(0)) + "1", "a control character (U+0000)"},
      {"\x1b", "a control character (U+001B)"},
      {"12\n", "a line break"},
      {QString(QChar(0x200B)), "an invisible formatting character (U+200B)"},
      {QString(QChar(0xD83D)), "half of a broken character (U+D83D)"}};
  for (const auto& [pasted, why] : refused) {
    d.prompts.expect("The text for PO Number holds " + why + ", so it was not entered.", "ALERT!");
    d.bench.paste(number, pasted);
    QTRY_VERIFY2(d.prompts.done(), d.prompts.report());
    QCOMPARE(number->text(), QString("INV"));
  }
  // Typed as well: what would show "INV" + override + "321-" as "INV-123".
  d.prompts.expect("The text for PO Number holds a character that turns the writing direction (U+202E), so it was "
                   "not entered.");
  d.type("txtponumpo", QString(QChar(0x202E)) + "321-");
  QTRY_VERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(number->text(), QString("INV321-"));

  // Forty emoji fill a number of forty characters.
  const QString emoji = QString::fromUtf8("\U0001F600");
  d.bench.clear(number);
  d.type("txtponumpo", emoji.repeated(40));
  QCOMPARE(number->text(), emoji.repeated(40));
  d.prompts.expect("The text for PO Number is too long: at most 40 characters fit, so it was not entered.");
  d.type("txtponumpo", "X");
  QTRY_VERIFY2(d.prompts.done(), d.prompts.report());
  d.saveYes();
  QTRY_VERIFY(!d.ordering());
  QCOMPARE(d.stored("SELECT ponum FROM tpo"), emoji.repeated(40));
}

void PurchaseOrderTest::failedOrConflictingSaveStoresNothing() {
  OrderDesk d;
  d.quoted("I-7", "Q-7", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.openOrder();
  d.click("cmdshowedit");
  d.type("txtponumpo", "PO-7");
  d.click("chkstockp");
  auto other = Connection::open(d.bench.db().path());
  other->execute("UPDATE titeminq SET idp = 'CORRECTED PUMP(1)'");  // changed in another window since SHOW
  d.saveYes("changed in another window");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tpo"), 0);
  QCOMPARE(d.stored("SELECT coalesce(stockp, 'null') || '|' || coalesce(orderstatus, 'null') FROM titeminq, tquote"),
           QString("null|null"));

  d.click("cmdshowedit");  // loads the corrected rows; the stock box keeps its tick
  other->execute("ALTER TABLE tquote RENAME TO hidden");
  d.saveYes("tquote");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tpo"), 0);
  other->execute("ALTER TABLE hidden RENAME TO tquote");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT idp || '|' || stockp || '|' || ponum FROM titeminq"), QString("CORRECTED PUMP(1)|YES|PO-7"));
}

void PurchaseOrderTest::noThenNoAndCloseRules() {
  OrderDesk d;
  d.quoted("I-8", "Q-8", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.openOrder();
  d.prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::No);
  d.bench.clickCloseBox(d.form);
  d.click("cmdshowedit");
  d.prompts.expect(kRefusal, "ALERT!", Prompter::Answer::Ok, Prompter::Icon::Warning);
  d.bench.clickCloseBox(d.form);
  d.type("txtponumpo", "PO-8");
  d.click("chkstockp");
  d.prompts.expect(kSaveQuestion, Prompter::Answer::No)
      .expect("Click YES if want to fill remaining data...Click NO if want to close form without saving data", "",
              Prompter::Answer::No);
  d.click("cmdsavepo");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.ordering());
  QCOMPARE(d.rows("tpo"), 0);
  QCOMPARE(d.stored("SELECT coalesce(ponum, 'null') || '|' || coalesce(stockp, 'null') FROM titeminq"), QString("null|null"));
}

void PurchaseOrderTest::unreadableDriveKeepsTheLists() {
  QTemporaryDir place;
  const QString home = place.filePath("home");
  QVERIFY(QDir().mkpath(home + "/KEPT"));
  qputenv("HOME", home.toUtf8());
  OrderDesk d;
  d.quoted("I-9", "Q-9", "X", {});
  d.openOrder();
  d.click("cmdshowedit");
  auto* drives = d.combo("driveboxpo");
  QVERIFY(drives->count() > 1);
  drives->setCurrentIndex(1);
  QVERIFY(QDir(home).removeRecursively());  // like a stick pulled out
  const QStringList shown = {d.list("dirboxpo")->item(0)->text()};
  d.prompts.expectContaining("cannot be read");
  drives->setCurrentIndex(0);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(drives->currentIndex(), 1);
  QCOMPARE(QStringList{d.list("dirboxpo")->item(0)->text()}, shown);
  qunsetenv("HOME");
}

void PurchaseOrderTest::aScreenReaderPicksTheQuotationAndTicksWhatIsStored() {
  OrderDesk d;
  d.quoted("I-10", "Q-10", "X", {{"p", "PUMP(1)", "1", "KSB"}, {"motor", "MOTOR(1)", "1", "ABB"}});
  d.quoted("I-11", "Q-11", "Y", {});
  d.openOrder();

  // The list dropped down by the reader's action is in the tree, under its combo and named by its label.
  QComboBox* quotes = d.combo("datacomquotenumpo");
  QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(quotes);
  QCOMPARE(combo->childCount(), 2);
  QCOMPARE(combo->child(1)->object(), quotes->lineEdit());
  QCOMPARE(combo->child(1)->text(QAccessible::Name), QString("Quote Number"));  // the typing box the focus lands in
  combo->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
  QTRY_VERIFY(quotes->view()->isVisible());
  QAccessibleInterface* list = combo->child(0);
  QCOMPARE(list->object(), quotes->view());
  QCOMPARE(list->role(), QAccessible::List);
  QCOMPARE(list->text(QAccessible::Name), QString("Quote Number"));
  QCOMPARE(list->parent()->object(), quotes);
  QCOMPARE(combo->indexOfChild(list), 0);
  QStringList heard;
  for (int i = 0; i < list->childCount(); ++i) heard << list->child(i)->text(QAccessible::Name);
  QCOMPARE(heard.size(), 2);
  QVERIFY(heard.contains("Q-10") && heard.contains("Q-11"));
  QTest::keyClick(quotes->view(), Qt::Key_Home);
  for (int i = 0; i < heard.indexOf("Q-10"); ++i) QTest::keyClick(quotes->view(), Qt::Key_Down);
  QTest::keyClick(quotes->view(), Qt::Key_Return);
  QTRY_VERIFY(!quotes->view()->isVisible());
  QCOMPARE(quotes->currentText(), QString("Q-10"));

  // Boxes ticked by the reader's toggle store what they show, and the makes to order agree.
  d.click("cmdshowedit");
  d.click("cmdedit");
  actAccessibly(d.at("chkmis"), QAccessibleActionInterface::toggleAction());
  actAccessibly(d.at("chkstockp"), QAccessibleActionInterface::toggleAction());
  QVERIFY(d.check("chkmis")->isChecked() && d.check("chkstockp")->isChecked());
  d.type("txtponumpo", "PO-10");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT mis || '|' || stockp || '|' || coalesce(stockmotor, 'null') FROM titeminq WHERE inqnum = 'I-10'"),
           QString("YES|YES|null"));
  QCOMPARE(d.stored("SELECT pomanf FROM titemdescom WHERE inqnum = 'I-10'"), QString("  ABB"));  // the pump is in stock
}

QTEST_MAIN(PurchaseOrderTest)
#include "tst_purchaseorder.moc"
