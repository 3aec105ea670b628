// The inquiry form driven as a clerk would, checked in the stored rows.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

#include "documents/documentforms.h"
#include "store/basics/dberror.h"
#include "store/rowwriter.h"
#include "tests/support/formbench.h"
#include "tests/support/privateserver.h"
#include "tests/support/scriptedprompter.h"

namespace {

const QString kSaveQuestion = " YES--->>> (IF WANT TO SAVE INFORMATION)" + QString(83, ' ') +
                              "NO--->>> (IF NEED TO FILL REMAINING ENTRY OR NOT WANT TO SAVE DATA) ";
const QString kKeepOrClose =
    "Click YES if want to fill remaining data...Click NO if want to close form without saving data";
const QString kAddressBook = "If this is new client , Please fillup address book from main form  ";
const QString kExists = "This Inquiry No. already exist..Please Write New Inquiry Number ...";
const QString kAfterShowRefusal =
    "Please fill the all boxes and save data by clicking SAVE DATA Button before Closing Form";

struct InquiryForm {
  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* form = nullptr;

  InquiryForm() {
    bench.db().signIn("clerk");
    RowWriter(bench.db().connection(), "tinquiry")
        .append({"OLD-1", "OLD CLIENT", "2026-01-05", QVariant(), 100, "ravi", "2026-01-05", "NO", "NASHIK"});
    RowWriter(bench.db().connection(), "titeminq")
        .append({"OLD CLIENT", "OLD-1", "2026-01-05", "YES", "OLDMAKE", 3, "OLD PUMP", QVariant(), QVariant(),
                 QVariant(), QVariant(), "", QVariant(), 0, QVariant(), QVariant(), QVariant(), "", QVariant(), 0,
                 QVariant(), QVariant(), QVariant(), "", QVariant(), 0, QVariant(), QVariant(), QVariant(), "",
                 QVariant(), 0, QVariant(), QVariant(), QVariant(), "", QVariant(), 0, QVariant(), QVariant(),
                 QVariant(), "", QVariant(), 0, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                 QVariant(), "ravi", "2026-01-05", "NASHIK"});
    form = bench.show("frminquiry");
  }

  template <typename T = QWidget>
  T* at(const QString& name) {
    T* control = bench.control<T>(form, name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
  }
  void type(const QString& name, const QString& text) { bench.type(at(name), text); }
  void enter(const QString& name, const QString& text) {
    type(name, text);
    bench.leave(at(name));
  }
  void click(const QString& name) { bench.click(at(name)); }
  void showNumber(const QString& number) {
    type("datacominqno", number);
    click("cmdshow");
  }
  // SAVE answered YES; `then` is the message expected to follow.
  void saveYes(const QString& then = {}, bool containing = false) {
    prompts.expect(kSaveQuestion, "ALERT!", Prompter::Answer::Yes);
    if (containing)
      prompts.expectContaining(then);
    else if (!then.isEmpty())
      prompts.expect(then);
    click("cmdsaveinq");
  }
  bool open() { return bench.host().find("frminquiry") != nullptr; }
  QVariant stored(const QString& sql) { return bench.db().scalar(sql); }
  qint64 rows(const QString& table) { return bench.db().count(table); }
  qint64 newRows(const QString& table) { return rows(table) - (table == "titemdescom" ? 0 : 1); }
};

}  // namespace

class InquiryTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerDocumentForms(); }
  void opensEmptyWithTheCurrentLogin();
  void fullInquiryIsStoredAsShown();
  void showTestsTheNumber();
  void quantitiesWarnButPassAndStopAtTenThousand();
  void emptiedBoxesClearTheirColumns();
  void numberChangedAfterShowIsTestedAgainAtSave();
  void totalAboveTheColumnRangeIsRefused();
  void saveAnsweredNoTwiceStoresNothing();
  void closeRulesBeforeAndAfterShow();
  void failedSaveStoresNothingAndKeepsTheForm();
  void aCutConnectionCostsNoSave();
  void aServerRestartCostsNoSave();
  void saveTakesWhatBoxesShowWithoutLeavingThem();
  void tooLongTextIsRefusedWhole();
  void oneNumberFromTwoWindowsIsStoredOnce();
};

void InquiryTest::opensEmptyWithTheCurrentLogin() {
  InquiryForm f;
  QCOMPARE(f.form->windowTitle(), QString("INQUIRY FORM"));
  QCOMPARE(f.at<QLineEdit>("txtlogininq")->text(), QString("clerk"));
  for (const char* name : {"datacominqno", "datacomclient", "datacomarea", "datacommanfp", "datacommanfmis"})
    QVERIFY2(f.at<QComboBox>(name)->currentText().isEmpty(), name);
  // The lists still offer every stored value.
  QCOMPARE(f.at<QComboBox>("datacomclient")->count(), 1);
  QCOMPARE(f.at<QComboBox>("datacommanfp")->itemText(0), QString("OLDMAKE"));
  QVERIFY(!f.at("cmdsaveinq")->isEnabled());
  QVERIFY(!f.at("frameitemreqinq")->isEnabled());
  QVERIFY(f.at("calinqdate")->isHidden());
  QCOMPARE(f.at<QCheckBox>("chkmis")->text(), QString("Misc.."));
  QCOMPARE(f.at<QCheckBox>("chkp")->toolTip(), QString("right mark this box  if product description is  CATEGORY1  "
                                                       "related...then write description  in box right side to it.."));

  // The form opens in its number box, which turns typed keys to upper case.
  QCOMPARE(QApplication::focusWidget(), f.at("datacominqno"));
  QTest::keyClicks(QApplication::focusWidget(), "ab/1");
  QCOMPARE(f.at<QComboBox>("datacominqno")->currentText(), QString("AB/1"));
  f.bench.clear(f.at("datacominqno"));

  // SHOW with the empty number box asks for one; leaving the box empty already did.
  f.prompts.expect("Please fill Inquiry Number", "ALERT!").expect("Please Write Inquiry Number First...", "ALERT!");
  f.click("cmdshow");
  QVERIFY2(f.prompts.done(), f.prompts.report());
}

void InquiryTest::fullInquiryIsStoredAsShown() {
  InquiryForm f;
  f.showNumber("inq/7");
  QCOMPARE(f.at<QComboBox>("datacominqno")->currentText(), QString("INQ/7"));
  f.enter("datacomclient", "ACME PUMPS");
  f.enter("datacomarea", "PUNE");
  // Today is already selected on a fresh calendar: one click still picks it.
  const QDate today = QDate::currentDate();
  f.bench.clickDay(f.at<QCalendarWidget>("calinqdate"), today);
  QCOMPARE(f.at<QLineEdit>("txtinqdate")->text(), today.toString("dd/MM/yy"));
  f.bench.clickDay(f.at<QCalendarWidget>("calinqdue"), QDate(2026, 12, 20));
  f.click("comnotappduedate");
  QVERIFY(f.at<QLineEdit>("txtinqduedate")->text().isEmpty());
  f.bench.clickDay(f.at<QCalendarWidget>("calinqdue"), QDate(2026, 12, 20));  // the same day again
  QCOMPARE(f.at<QLineEdit>("txtinqduedate")->text(), QString("20/12/26"));
  f.enter("txtbudrateinq", "250000");

  f.click("chkp");
  f.type("txtidp", " CENTRIFUGAL PUMP(2) ");
  f.enter("txtpqty", "2");
  f.enter("datacommanfp", "KSB");
  f.type("txtidps", "SEAL(4)");
  f.enter("txtpsqty", "4");
  f.click("chkmotor");
  f.type("txtidmotor", "MOTOR 7.5HP(1)");
  f.enter("txtmotorqty", "1");
  f.enter("datacommanfmotor", "ABB ");

  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QTRY_VERIFY(!f.open());

  QCOMPARE(f.newRows("tinquiry"), 1);
  QCOMPARE(f.newRows("titeminq"), 1);
  QCOMPARE(f.newRows("titemdescom"), 1);
  const QString where = " WHERE inqnum = 'INQ/7'";
  QCOMPARE(f.stored("SELECT client || '|' || area || '|' || inqdate || '|' || inqduedate || '|' || brate || '|' || "
                    "login || '|' || logindate FROM tinquiry" + where)
               .toString(),
           "ACME PUMPS|PUNE|" + today.toString(Qt::ISODate) + "|2026-12-20|250000|clerk|" + today.toString(Qt::ISODate));
  QVERIFY(f.stored("SELECT quotesendstatus FROM tinquiry" + where).isNull());
  QCOMPARE(f.stored("SELECT p || '|' || idp || '|' || qtyp || '|' || manfp || '|' || coalesce(ps, 'none') || '|' || qtyps || '|' || "
                    "motor || '|' || manfmotor || '|' || qtymis || '|' || client || '|' || area || '|' || inqdate || "
                    "'|' || login FROM titeminq" + where)
               .toString(),
           "YES| CENTRIFUGAL PUMP(2) |2|KSB|none|4|YES|ABB |0|ACME PUMPS|PUNE|" + today.toString(Qt::ISODate) + "|clerk");
  QCOMPARE(f.stored("SELECT itemdes || '|' || qty || '|' || manf FROM titemdescom" + where).toString(),
           QString("  CENTRIFUGAL PUMP(2)  SEAL(4)  MOTOR 7.5HP(1)|7|  KSB  ABB"));
  // The three new rows, each once in the change log, naming the inquiry.
  QCOMPARE(f.bench.db().joined("SELECT tablename || ' ' || kind || ' ' || number || ' ' || source FROM tchangelog "
                                "WHERE source = 'frminquiry' ORDER BY pkeychangelog",
                                ", "),
           QString("tinquiry NEW INQ/7 frminquiry, titeminq NEW INQ/7 frminquiry, titemdescom NEW INQ/7 frminquiry"));
}

void InquiryTest::showTestsTheNumber() {
  InquiryForm f;
  f.prompts.expect(kExists, "ALERT!");
  f.showNumber("old-1");  // lower case: compared upper-cased
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(!f.at("cmdsaveinq")->isEnabled());

  f.bench.clear(f.at("datacominqno"));
  f.prompts.expect("Please fill Inquiry Number", "ALERT!").expect("Please Write Inquiry Number First...", "ALERT!");
  f.click("cmdshow");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  f.type("datacominqno", "  ");  // blanks are no number either
  f.prompts.expect("Please fill Inquiry Number", "ALERT!").expect("Please Write Inquiry Number First...", "ALERT!");
  f.click("cmdshow");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  f.bench.clear(f.at("datacominqno"));

  f.showNumber("new-2");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  for (const char* name : {"cmdsaveinq", "frameitemreqinq", "datacomclient", "txtbudrateinq", "comnotappduedate"})
    QVERIFY2(f.at(name)->isEnabled(), name);
  QVERIFY(f.at("calinqdue")->isVisible());
  QVERIFY(f.at("datacominqno")->isEnabled());
  QVERIFY(!f.at("txtlogininq")->isEnabled());
}

void InquiryTest::quantitiesWarnButPassAndStopAtTenThousand() {
  InquiryForm f;
  f.showNumber("Q-1");
  f.prompts.expect("Please use NUMBER(0 to 9) only...", "ALERT!")
      .expect("Please use NUMBER(0 to 9) only...this quantity is not saved", "ALERT!");
  f.enter("txtpqty", "1x");
  QCOMPARE(f.at<QLineEdit>("txtpqty")->text(), QString("1x"));  // the key went through
  QVERIFY2(f.prompts.done(), f.prompts.report());

  f.bench.clear(f.at("txtpqty"));  // two Backspaces, each warned
  f.prompts.reset();
  f.type("txtpqty", "10000");
  f.type("txtpsqty", "000050");  // judged by its value
  f.type("txtcqty", "10001");
  f.prompts.expect("Too much large quantity..not allowed", "Info..");
  f.bench.leave(f.at("txtcqty"));
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.at<QLineEdit>("txtcqty")->text(), QString("10001"));

  // SAVE takes the box as it stands: refused with the same message, nothing stored.
  f.saveYes("Too much large quantity..not allowed");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());
  QCOMPARE(f.rows("tinquiry"), 1);

  f.bench.clear(f.at("txtcqty"));
  f.prompts.reset();
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT qtyp || '|' || qtyps || '|' || qtyc FROM titeminq WHERE inqnum = 'Q-1'").toString(),
           QString("10000|50|0"));
  QCOMPARE(f.stored("SELECT qty FROM titemdescom WHERE inqnum = 'Q-1'").toLongLong(), 10050);
}

void InquiryTest::emptiedBoxesClearTheirColumns() {
  InquiryForm f;
  f.showNumber("E-1");
  f.type("txtidp", "ABC");
  f.bench.clear(f.at("txtidp"));
  f.enter("datacomclient", "SOMEONE");
  f.bench.clear(f.at("datacomclient"));
  f.prompts.expect("Please fill Client Name", "ALERT!");
  f.bench.leave(f.at("datacomclient"));
  f.enter("datacommanfsa", "FENNER");
  f.bench.clear(f.at("datacommanfsa"));
  f.prompts.expect("Please fill Manufacturer Name", "ALERT!");
  f.bench.leave(f.at("datacommanfsa"));
  f.click("chksa");
  f.click("chksa");  // ticked and unticked again
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  const QString where = " FROM titeminq WHERE inqnum = 'E-1'";
  QVERIFY(f.stored("SELECT idp" + where).isNull());
  QVERIFY(f.stored("SELECT client" + where).isNull());
  QVERIFY(f.stored("SELECT manfsa" + where).isNull());
  QCOMPARE(f.stored("SELECT sa" + where).toString(), QString(""));
  QVERIFY(f.stored("SELECT client FROM tinquiry WHERE inqnum = 'E-1'").isNull());
  QCOMPARE(f.stored("SELECT itemdes || '|' || qty || '|' || manf FROM titemdescom WHERE inqnum = 'E-1'").toString(),
           QString("|0|"));
}

void InquiryTest::numberChangedAfterShowIsTestedAgainAtSave() {
  InquiryForm f;
  f.showNumber("FRESH-1");
  f.bench.clear(f.at("datacominqno"));
  f.type("datacominqno", "old-1");
  f.bench.tab(f.at("datacominqno"));
  f.enter("datacomclient", "KEEP ME");
  f.saveYes(kExists);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());
  QCOMPARE(f.rows("tinquiry"), 1);
  QCOMPARE(f.at<QComboBox>("datacomclient")->currentText(), QString("KEEP ME"));

  // With a new number the same form saves.
  f.bench.clear(f.at("datacominqno"));
  f.type("datacominqno", "fresh-2");
  f.bench.tab(f.at("datacominqno"));
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT client FROM tinquiry WHERE inqnum = 'FRESH-2'").toString(), QString("KEEP ME"));
}

void InquiryTest::totalAboveTheColumnRangeIsRefused() {
  InquiryForm f;
  f.showNumber("BIG-1");
  for (const char* box : {"txtpqty", "txtpsqty", "txtsaqty", "txtcqty"}) f.enter(box, "10000");
  f.saveYes("more than 32767 is not allowed", true);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());
  QCOMPARE(f.rows("tinquiry"), 1);

  f.bench.clear(f.at("txtcqty"));
  f.prompts.reset();
  f.bench.leave(f.at("txtcqty"));
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT qty FROM titemdescom WHERE inqnum = 'BIG-1'").toLongLong(), 30000);
}

void InquiryTest::saveAnsweredNoTwiceStoresNothing() {
  InquiryForm f;
  f.showNumber("NO-1");
  f.enter("datacomclient", "X");
  f.prompts.expect(kSaveQuestion, "ALERT!", Prompter::Answer::No).expect(kKeepOrClose, "", Prompter::Answer::Yes);
  f.click("cmdsaveinq");
  QVERIFY(f.open());
  f.prompts.expect(kSaveQuestion, Prompter::Answer::No).expect(kKeepOrClose, Prompter::Answer::No);
  f.click("cmdsaveinq");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QTRY_VERIFY(!f.open());
  QCOMPARE(f.rows("tinquiry"), 1);
  QCOMPARE(f.rows("titeminq"), 1);
  QCOMPARE(f.rows("titemdescom"), 0);
}

void InquiryTest::closeRulesBeforeAndAfterShow() {
  InquiryForm f;
  // A fresh form with the focus in its empty number box: clicking elsewhere or
  // the close box is not leaving the box within the form, so nothing checks it.
  QCOMPARE(QApplication::focusWidget(), f.at("datacominqno"));
  QTest::mouseClick(f.bench.elsewhere(), Qt::LeftButton);
  f.prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::No)
      .expect("Want to Close Form??", "ALERT!", Prompter::Answer::No);
  f.bench.clickCloseBox(f.form);
  f.bench.clickCloseBox(f.form);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());
  f.prompts.expect("Please fill Inquiry Number", "ALERT!");
  f.bench.tab(f.at("datacominqno"));  // moving on within the form does
  QVERIFY2(f.prompts.done(), f.prompts.report());

  f.showNumber("C-1");
  f.prompts.expect(kAfterShowRefusal, "ALERT!", Prompter::Answer::Ok, Prompter::Icon::Warning);
  f.bench.clickCloseBox(f.form);
  QVERIFY(f.open());
  f.bench.clear(f.at("datacominqno"));
  f.type("datacominqno", "   ");
  f.prompts.expect("Please fill Inquiry Number");
  f.bench.tab(f.at("datacominqno"));
  f.saveYes("WRITE INQUIRY NUMBER otherwise Data will not be saved..");
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());

  InquiryForm g;
  g.prompts.expect("Want to Close Form??", "ALERT!", Prompter::Answer::Yes);
  g.bench.clickCloseBox(g.form);
  QVERIFY2(g.prompts.done(), g.prompts.report());
  QTRY_VERIFY(!g.open());
  QCOMPARE(g.rows("tinquiry"), 1);
}

void InquiryTest::failedSaveStoresNothingAndKeepsTheForm() {
  InquiryForm f;
  f.showNumber("FAIL-1");
  f.enter("datacomclient", "TYPED CLIENT");
  auto other = Connection::open(f.bench.db().path());
  other->execute("ALTER TABLE titemdescom RENAME TO hidden");  // the third write will fail
  f.saveYes("titemdescom", true);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QVERIFY(f.open());
  QCOMPARE(f.rows("tinquiry"), 1);
  QCOMPARE(f.rows("titeminq"), 1);
  QCOMPARE(f.at<QComboBox>("datacomclient")->currentText(), QString("TYPED CLIENT"));

  other->execute("ALTER TABLE hidden RENAME TO titemdescom");
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.rows("tinquiry"), 2);
  QCOMPARE(f.rows("titeminq"), 2);
  QCOMPARE(f.rows("titemdescom"), 1);
}

// The server ended the form's connection while the form stood open: the SAVE
// starts on a new one and stores.
void InquiryTest::aCutConnectionCostsNoSave() {
  if (!testingServer()) QSKIP("a file has no connection to lose");
  InquiryForm f;
  f.showNumber("LOST-1");
  f.enter("datacomclient", "TYPED CLIENT");
  f.bench.db().cutOtherConnections();
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT client FROM tinquiry WHERE inqnum = 'LOST-1'").toString(), QString("TYPED CLIENT"));
}

// The server's computer restarted under an open form: while it is away SAVE
// says so in the form's words; the first SAVE once it is back stores.
void InquiryTest::aServerRestartCostsNoSave() {
  if (!testingServer()) QSKIP("a file has no server to restart");
  PrivateServer server;
  QVERIFY(server.started());
  InquiryForm f;
  f.showNumber("RESTART-1");
  f.enter("datacomclient", "TYPED CLIENT");
  server.stop();
  const QString lost = "The connection to the database server was lost, so nothing was saved. What you typed is still "
                       "here: try again when the server is back.";
  for (int away = 0; away < 2; ++away) {
    f.saveYes(lost);
    QVERIFY2(f.prompts.done(), f.prompts.report());
  }
  QVERIFY(f.open());
  QCOMPARE(f.at<QComboBox>("datacomclient")->currentText(), QString("TYPED CLIENT"));

  server.resume();
  f.saveYes(kAddressBook);
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT client FROM tinquiry WHERE inqnum = 'RESTART-1'").toString(), QString("TYPED CLIENT"));
}

void InquiryTest::saveTakesWhatBoxesShowWithoutLeavingThem() {
  InquiryForm f;
  f.showNumber("K-1");
  f.type("txtpqty", "12345");
  auto* save = f.at<QPushButton>("cmdsaveinq");
  // A tool presses SAVE while the focus is still in the box.
  f.prompts.expect(kSaveQuestion, Prompter::Answer::Yes).expect("Too much large quantity..not allowed", "Info..");
  save->click();
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.rows("tinquiry"), 1);

  f.at<QLineEdit>("txtpqty")->selectAll();
  f.type("txtpqty", "5");
  f.type("txtbudrateinq", "7500");
  f.type("datacomclient", "TYPED ONLY");
  QCOMPARE(QApplication::focusWidget(), f.at("datacomclient"));
  f.prompts.expect(kSaveQuestion, Prompter::Answer::Yes).expect(kAddressBook);
  save->click();
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.stored("SELECT client || '|' || brate FROM tinquiry WHERE inqnum = 'K-1'").toString(),
           QString("TYPED ONLY|7500"));
  QCOMPARE(f.stored("SELECT client || '|' || qtyp FROM titeminq WHERE inqnum = 'K-1'").toString(),
           QString("TYPED ONLY|5"));
}

void InquiryTest::tooLongTextIsRefusedWhole() {
  InquiryForm f;
  f.showNumber("L-1");
  auto* client = f.at<QComboBox>("datacomclient");
  f.type("datacomclient", "ACME");
  QGuiApplication::clipboard()->setText(QString(200, 'X'));
  f.prompts.expect("The text for CLIENT is too long: at most 120 characters fit, so it was not entered.", "ALERT!");
  QTest::keyClick(client, Qt::Key_V, Qt::ControlModifier);
  QTRY_VERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(client->currentText(), QString("ACME"));
}

void InquiryTest::oneNumberFromTwoWindowsIsStoredOnce() {
  InquiryForm f;
  QMdiArea otherArea;
  otherArea.show();
  FormHost otherHost(&otherArea, f.bench.db().path());  // a second window with its own connection
  QWidget* other = otherHost.show("frminquiry");
  f.showNumber("TWICE-1");
  other->findChild<QComboBox*>("datacominqno")->setEditText("twice-1 ");
  other->findChild<QPushButton*>("cmdshow")->click();
  f.saveYes(kAddressBook);
  f.prompts.expect(kSaveQuestion, Prompter::Answer::Yes).expect(kExists, "ALERT!");
  other->findChild<QPushButton*>("cmdsaveinq")->click();
  QVERIFY2(f.prompts.done(), f.prompts.report());
  QCOMPARE(f.rows("tinquiry"), 2);
  QVERIFY(otherHost.find("frminquiry"));

  // Nor can any other path store it: the file itself refuses.
  QVERIFY_THROWS_EXCEPTION(DbError, RowWriter(f.bench.db().connection(), "tinquiry")
                                        .append(QVariantHash{{"inqnum", " Twice-1"}}));
  f.prompts.expect("Want to Close Form??", Prompter::Answer::Yes);
  otherArea.closeAllSubWindows();
}

QTEST_MAIN(InquiryTest)
#include "tst_inquiry.moc"
