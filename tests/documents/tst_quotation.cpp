// The quotation form answering inquiries entered through the inquiry form.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "documents/documentforms.h"
#include "store/recordset.h"
#include "tests/support/clerk.h"

namespace {

const QString kNotInList = "Please Choose Existing Inquiry Number From List";

struct Desk : Clerk {
  void inquiry(const QString& number, const QString& client, const QList<ItemLineEntry>& lines) {
    enterInquiry(number, client, lines);
  }
  void openQuotation() { open("frmquotation"); }
  void showInquiry(const QString& number) {
    combo("datacominqnoquote")->setEditText(number);
    click("cmdshow");
  }
  void saveYes(const QString& then = {}) { Clerk::saveYes("cmdsavequote", then); }
  bool quoting() { return isOpen("frmquotation"); }
};

}  // namespace

class QuotationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerDocumentForms(); }
  void inquiryIsQuotedEndToEnd();
  void editRebuildsTheSummary();
  void clientChangeLeavesTheInquiryAlone();
  void showRefusesNumbersNotInTheList();
  void secondShowReplacesAndSaveMarksTheShownInquiry();
  void oddCharactersMatchOnlyThemselves();
  void missingItemRowsLoadNothing();
  void saveRefusals();
  void changedItemsElsewhereAreAConflict();
  void failedSaveStoresNothing();
  void noThenNoAndCloseRules();
  void typedClientSurvivesShowOfAnInquiryWithout();
  void inquiryGoneOrQuotedSinceShowStoresNothing();
};

void QuotationTest::inquiryIsQuotedEndToEnd() {
  Desk d;
  d.inquiry("INQ-1", "ACME PUMPS", {{"p", "PUMP 50X32(2)", "2", "KSB"}, {"c", "TYRE COUPLING(2)", "2", "FENNER"}});
  d.openQuotation();
  QCOMPARE(d.form->windowTitle(), QString("QUOTATION FORM"));
  QCOMPARE(d.combo("datacominqnoquote")->currentText(), QString("INQ-1"));  // the first inquiry to quote
  QCOMPARE(d.box("txtloginquote")->text(), QString("clerk"));
  QVERIFY(!d.at("cmdsavequote")->isEnabled());
  d.click("cmdshow");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.box("txtclient")->text(), QString("ACME PUMPS"));
  QCOMPARE(d.box("txtidp")->text(), QString("PUMP 50X32(2)"));
  QCOMPARE(d.box("txtcqty")->text(), QString("2"));
  QVERIFY(qobject_cast<QCheckBox*>(d.at("chkc"))->isChecked());
  QCOMPARE(d.combo("datacommanfc")->currentText(), QString("FENNER"));
  QVERIFY(d.box("txtpsqty")->text().isEmpty());
  QVERIFY(!d.at("frameitemreqinq")->isEnabled());  // only after EDIT??

  d.type("txtquotenum", "q/1");
  QCOMPARE(d.box("txtquotenum")->text(), QString("Q/1"));
  d.bench.clickDay(qobject_cast<QCalendarWidget*>(d.at("calquotedatequote")), QDate(2026, 12, 5));
  QCOMPARE(d.box("txtquotedate")->text(), QString("05/12/26"));
  d.enter("txtquoterate", "125000");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.quoting());

  const QString today = QDate::currentDate().toString(Qt::ISODate);
  QCOMPARE(d.stored("SELECT inqnum || '|' || client || '|' || quotenum || '|' || quotedate || '|' || quoterate || '|' || "
                    "loginquote || '|' || logindate || '|' || coalesce(orderstatus, 'null') FROM tquote"),
           "INQ-1|ACME PUMPS|Q/1|2026-12-05|125000|clerk|" + today + "|null");
  QCOMPARE(d.stored("SELECT quotenum || '|' || login || '|' || logindate FROM titeminq"), "Q/1|clerk|" + today);
  QCOMPARE(d.stored("SELECT quotenum || '|' || itemdes || '|' || qty || '|' || manf FROM titemdescom"),
           QString("Q/1|  PUMP 50X32(2)  TYRE COUPLING(2)|4|  KSB  FENNER"));
  QCOMPARE(d.stored("SELECT quotesendstatus FROM tinquiry"), QString("YES"));
  // One entry per row the SAVE wrote, the inquiry's mark among them, all in the clerk's name.
  QCOMPARE(d.storedList("SELECT tablename || ' ' || kind || ' ' || login FROM tchangelog WHERE source = 'frmquotation' "
                        "ORDER BY pkeychangelog", ", "),
           QString("tquote NEW clerk, titeminq CHANGED clerk, titemdescom CHANGED clerk, tinquiry CHANGED clerk"));

  d.openQuotation();
  QCOMPARE(d.combo("datacominqnoquote")->count(), 0);
  d.prompts.expect(kNotInList, "ALERT!");
  d.showInquiry("INQ-1");  // already quoted
  QVERIFY2(d.prompts.done(), d.prompts.report());
}

void QuotationTest::editRebuildsTheSummary() {
  Desk d;
  d.inquiry("E-1", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.openQuotation();
  d.click("cmdshow");
  d.click("cmditemedit");
  QVERIFY(d.at("frameitemreqinq")->isEnabled());
  d.bench.clear(d.at("txtidp"));
  d.type("txtidp", "BIGGER PUMP(1)");
  d.click("chkmotor");
  d.type("txtidmotor", "MOTOR(1)");
  d.enter("txtmotorqty", "1");
  d.enter("datacommanfmotor", "ABB");
  d.type("txtquotenum", "QE");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT idp || '|' || motor || '|' || idmotor || '|' || qtymotor FROM titeminq"),
           QString("BIGGER PUMP(1)|YES|MOTOR(1)|1"));
  QCOMPARE(d.stored("SELECT itemdes || '|' || qty || '|' || manf FROM titemdescom"),
           QString("  BIGGER PUMP(1)  MOTOR(1)|2|  KSB  ABB"));
}

void QuotationTest::clientChangeLeavesTheInquiryAlone() {
  Desk d;
  d.inquiry("C-1", "OLD NAME", {});
  d.openQuotation();
  d.click("cmdshow");
  d.box("txtclient")->selectAll();
  d.type("txtclient", "NEW NAME");
  d.type("txtquotenum", "QC");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT client FROM tquote"), QString("NEW NAME"));
  QCOMPARE(d.stored("SELECT client FROM titeminq"), QString("NEW NAME"));
  QCOMPARE(d.stored("SELECT client FROM tinquiry"), QString("OLD NAME"));
}

void QuotationTest::showRefusesNumbersNotInTheList() {
  Desk d;
  d.openQuotation();
  QVERIFY(d.combo("datacominqnoquote")->currentText().isEmpty());
  d.prompts.expect("Please fill Inquiry Number", "ALERT!").expect(kNotInList, "ALERT!");
  d.click("cmdshow");
  d.showInquiry("NOPE");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(!d.at("cmdsavequote")->isEnabled());
}

void QuotationTest::secondShowReplacesAndSaveMarksTheShownInquiry() {
  Desk d;
  d.inquiry("A-1", "ALPHA", {{"p", "ALPHA PUMP(1)", "1", "KSB"}});
  d.inquiry("B-1", "BETA", {{"ps", "BETA SEAL(3)", "3", "JYOTI"}});
  d.openQuotation();
  d.showInquiry("A-1");
  d.showInquiry("B-1");
  QCOMPARE(d.box("txtclient")->text(), QString("BETA"));
  QVERIFY(d.box("txtidp")->text().isEmpty());
  QVERIFY(!qobject_cast<QCheckBox*>(d.at("chkp"))->isChecked());
  QCOMPARE(d.box("txtidps")->text(), QString("BETA SEAL(3)"));
  d.type("txtquotenum", "QB");
  d.combo("datacominqnoquote")->setEditText("A-1");  // changed after SHOW, not shown
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.storedList("SELECT inqnum || '=' || coalesce(quotesendstatus, 'null') FROM tinquiry ORDER BY pkeyinq"),
           QString("A-1=null,B-1=YES"));
  QCOMPARE(d.storedList("SELECT inqnum || '=' || coalesce(quotenum, 'null') FROM titemdescom ORDER BY pkey"),
           QString("A-1=null,B-1=QB"));
  QCOMPARE(d.stored("SELECT client FROM titeminq WHERE inqnum = 'A-1'"), QString("ALPHA"));
}

void QuotationTest::oddCharactersMatchOnlyThemselves() {
  Desk d;
  d.inquiry("A%'_\\1", "ODD", {{"p", "ODD PUMP(1)", "1", "KSB"}});
  d.inquiry("AB'X\\1", "DECOY", {{"p", "DECOY PUMP(1)", "1", "KSB"}});
  d.openQuotation();
  d.showInquiry("a%'_\\1");  // other letter case still matches
  QCOMPARE(d.box("txtclient")->text(), QString("ODD"));
  d.type("txtquotenum", "Q%1");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.storedList("SELECT inqnum || '=' || coalesce(quotenum, 'null') FROM titeminq ORDER BY pkeyiteminq"),
           QString("A%'_\\1=Q%1,AB'X\\1=null"));
}

void QuotationTest::missingItemRowsLoadNothing() {
  Desk d;
  d.inquiry("M-1", "X", {});
  d.bench.db().connection().execute("DELETE FROM titemdescom");
  d.openQuotation();
  d.prompts.expectContaining("missing");
  d.showInquiry("M-1");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(!d.at("cmdsavequote")->isEnabled());
  QVERIFY(d.box("txtclient")->text().isEmpty());
}

void QuotationTest::saveRefusals() {
  Desk d;
  d.inquiry("R-1", "X", {});
  d.inquiry("R-2", "Y", {});
  d.openQuotation();
  d.showInquiry("R-1");
  d.type("txtquotenum", "DUP");
  d.saveYes();
  QTRY_VERIFY(!d.quoting());

  d.openQuotation();
  d.showInquiry("R-2");
  d.type("txtquotenum", "dup ");
  d.saveYes("This Quotation No. already exist");
  QVERIFY(d.quoting());
  d.bench.clear(d.at("txtquotenum"));
  d.type("txtquotenum", "  ");
  d.prompts.expect(kSaveQuestion, Prompter::Answer::Yes)
      .expect("WRITE QUOTATION  NUMBER otherwise Data will not be saved..", "ALERT!!!", Prompter::Answer::Ok,
              Prompter::Icon::Error);
  d.click("cmdsavequote");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.quoting());
  QCOMPARE(d.rows("tquote"), 1);
  // The emptied box left no number in the rows it had reached.
  QCOMPARE(d.stored("SELECT coalesce(quotenum, 'null') FROM titemdescom WHERE inqnum = 'R-2'"), QString("null"));
}

void QuotationTest::changedItemsElsewhereAreAConflict() {
  Desk d;
  d.inquiry("K-1", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.openQuotation();
  d.click("cmdshow");
  d.type("txtquotenum", "QK");
  auto editor = Connection::open(d.bench.db().path());
  editor->execute("UPDATE titeminq SET idp = 'CORRECTED PUMP(1)'");
  d.saveYes("changed in another window");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.quoting());
  QCOMPARE(d.rows("tquote"), 0);
  QCOMPARE(d.stored("SELECT idp || '|' || coalesce(quotenum, 'null') FROM titeminq"), QString("CORRECTED PUMP(1)|null"));

  d.click("cmdshow");  // loads the corrected row
  QCOMPARE(d.box("txtidp")->text(), QString("CORRECTED PUMP(1)"));
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT idp || '|' || quotenum FROM titeminq"), QString("CORRECTED PUMP(1)|QK"));
}

void QuotationTest::failedSaveStoresNothing() {
  Desk d;
  d.inquiry("F-1", "X", {});
  d.openQuotation();
  d.click("cmdshow");
  d.type("txtquotenum", "QF");
  auto other = Connection::open(d.bench.db().path());
  other->execute("ALTER TABLE tinquiry RENAME TO hidden");  // the last step fails
  d.saveYes("tinquiry");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.quoting());
  QCOMPARE(d.rows("tquote"), 0);
  QCOMPARE(d.stored("SELECT coalesce(quotenum, 'null') FROM titeminq"), QString("null"));
  other->execute("ALTER TABLE hidden RENAME TO tinquiry");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tquote"), 1);
  QCOMPARE(d.stored("SELECT quotenum FROM titemdescom"), QString("QF"));
  QCOMPARE(d.stored("SELECT quotesendstatus FROM tinquiry"), QString("YES"));
}

void QuotationTest::noThenNoAndCloseRules() {
  Desk d;
  d.inquiry("N-1", "X", {{"p", "PUMP(1)", "1", "KSB"}});
  d.openQuotation();
  QWidget* window = FormBench::window(d.form);
  d.prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::No);
  QVERIFY(!window->close());
  d.click("cmdshow");
  d.prompts.expect("Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form", "ALERT!",
                   Prompter::Answer::Ok, Prompter::Icon::Warning);
  QVERIFY(!window->close());
  d.type("txtquotenum", "QN");
  d.prompts.expect(kSaveQuestion, Prompter::Answer::No)
      .expect("Click YES if want to fill remaining data...Click NO if want to close form without saving data", "",
              Prompter::Answer::No);
  d.click("cmdsavequote");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.quoting());
  QCOMPARE(d.rows("tquote"), 0);
  QCOMPARE(d.stored("SELECT coalesce(quotenum, 'null') || '|' || login FROM titeminq"), QString("null|clerk"));
  QCOMPARE(d.stored("SELECT coalesce(quotesendstatus, 'null') FROM tinquiry"), QString("null"));
}

void QuotationTest::typedClientSurvivesShowOfAnInquiryWithout() {
  Desk d;
  d.inquiry("NC-1", "", {});
  d.openQuotation();
  d.click("cmdshow");
  d.type("txtclient", "TYPED CLIENT");
  d.click("cmdshow");  // again: the inquiry names no client, so the typed one stays
  QCOMPARE(d.box("txtclient")->text(), QString("TYPED CLIENT"));
  d.type("txtquotenum", "QNC");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.stored("SELECT q.client || '|' || i.client FROM tquote q, titeminq i"), QString("TYPED CLIENT|TYPED CLIENT"));
}

void QuotationTest::inquiryGoneOrQuotedSinceShowStoresNothing() {
  Desk d;
  d.inquiry("G-1", "X", {});
  d.openQuotation();
  d.click("cmdshow");
  d.type("txtquotenum", "QG");
  d.bench.db().connection().execute("DELETE FROM tinquiry");  // removed in another window
  d.saveYes("is no longer open");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.quoting());
  QCOMPARE(d.rows("tquote"), 0);
  QCOMPARE(d.stored("SELECT coalesce(quotenum, 'null') FROM titeminq"), QString("null"));

  // Quoted by another window since SHOW: the same refusal.
  d.inquiry("G-2", "Y", {});
  d.openQuotation();  // the same form, still open
  d.showInquiry("G-2");
  QCOMPARE(d.box("txtclient")->text(), QString("Y"));
  RecordSet other = RecordSet::openForAppend(d.bench.db().connection(), "tquote");
  other.addNew();
  other.setValue("inqnum", "G-2");
  other.setValue("quotenum", "ELSEWHERE");
  other.updateBatch();
  d.saveYes("is no longer open");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(d.rows("tquote"), 1);
}

QTEST_MAIN(QuotationTest)
#include "tst_quotation.moc"
