// The address book form: one contact for an inquiry entered through the inquiry form.
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

#include "addressbook/addressbookforms.h"
#include "documents/documentforms.h"
#include "store/documentchain.h"
#include "store/queries/valuelist.h"
#include "tests/support/clerk.h"

namespace {

const QString kNoCompany = "Please Choose Existing Company Name From List ";

struct AddressDesk : Clerk {
  AddressDesk() {
    enterInquiry("I-1", "ALPHA", {});
    enterInquiry("I-2", "BETA", {});
  }
  void openBook() { open("frmaddressbook"); }
  // The company and the inquiry picked, then SHOW.
  void showFor(const QString& company, const QString& inquiry) {
    combo("dataclientaddbk")->setEditText(company);
    combo("datainqnumaddbk")->setEditText(inquiry);
    click("cmdshow");
  }
  void saveYes(const QString& then = {}) { Clerk::saveYes("comsaveaddbook", then); }
  bool booking() { return isOpen("frmaddressbook"); }
};

}  // namespace

class AddressBookTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    registerDocumentForms();
    registerAddressBookForms();
  }
  void showChecksCompanyThenInquiry();
  void emptyListsAreToldWhenLeft();
  void savedRowHoldsWhatTheFormShowed();
  void inquiryTakenMeanwhileIsRefused();
  void noThenNoStoresNothing();
};

void AddressBookTest::showChecksCompanyThenInquiry() {
  AddressDesk d;
  d.openBook();
  QCOMPARE(d.form->windowTitle(), QString("Address Book Form"));
  QVERIFY(d.combo("datainqnumaddbk")->currentText().isEmpty());  // the lists open empty
  QVERIFY(!d.at("taddressaddbk")->isEnabled());
  d.prompts.expect(kNoCompany, "ALERT!")
      .expect(kNoCompany, "ALERT!")
      .expect("Please Choose Inquiry Number From List", "ALERT!")
      .expect("Please Choose Existing Inquiry Number From List", "ALERT!");
  d.showFor("", "I-1");
  d.showFor("NOBODY", "I-1");  // typed, not a stored client
  d.showFor("BETA", "");       // any stored client passes, even another inquiry's
  d.showFor("BETA", "I-9");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(!d.at("comsaveaddbook")->isEnabled());
  d.showFor("BETA", "I-1");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  for (const char* name : {"taddressaddbk", "datacomarea", "datacomstate", "twebadbk", "comsaveaddbook"})
    QVERIFY2(d.at(name)->isEnabled(), name);
}

void AddressBookTest::emptyListsAreToldWhenLeft() {
  AddressDesk d;
  d.openBook();
  d.showFor("ALPHA", "I-1");
  const QList<QPair<QString, QString>> lists = {{"datainqnumaddbk", "Please fill inquiry number"},
                                                {"dataclientaddbk", "Please fill client name"},
                                                {"datacomarea", "Please fill AREA name"},
                                                {"datacomstate", "Please fill state name"}};
  for (const auto& [name, message] : lists) {
    d.bench.clear(d.at(name));
    d.prompts.expect(message, "ALERT!");
    d.bench.tab(d.at(name));
    QVERIFY2(d.prompts.done(), d.prompts.report());
  }
}

void AddressBookTest::savedRowHoldsWhatTheFormShowed() {
  AddressDesk d;
  d.openBook();
  d.showFor("ALPHA", "I-1");
  d.type("taddressaddbk", "12, MIDC, BHOSARI");
  d.type("datacomarea", "PUNE");
  d.type("datacomstate", "MAHARASHTRA");
  d.type("tconpersonaddbk", "R. K. SHARMA");
  d.type("tphoneaddbk", "020/2567123");
  d.type("tfaxaddbk", "02");
  d.bench.clear(d.at("tfaxaddbk"));  // typed and deleted: stores nothing
  d.type("temailaddbk", "buy@alpha.in");
  d.saveYes();
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.booking());
  QCOMPARE(d.stored("SELECT inqnum || '|' || login || '|' || client || '|' || address || '|' || area || '|' || state || "
                    "'|' || contactperson || '|' || coalesce(designation, 'null') || '|' || telephonelandline || '|' || "
                    "coalesce(fax, 'null') || '|' || email || '|' || coalesce(website, 'null') FROM taddressbook"),
           QString("I-1|clerk|ALPHA|12, MIDC, BHOSARI|PUNE|MAHARASHTRA|R. K. SHARMA|null|020/2567123|null|buy@alpha.in|null"));

  d.openBook();  // the inquiry is gone from the list, the state is offered
  QCOMPARE(d.combo("datainqnumaddbk")->itemText(0), QString("I-2"));
  QCOMPARE(d.combo("datainqnumaddbk")->count(), 1);
  QCOMPARE(d.combo("datacomstate")->itemText(0), QString("MAHARASHTRA"));
}

void AddressBookTest::inquiryTakenMeanwhileIsRefused() {
  AddressDesk d;
  d.openBook();
  d.showFor("ALPHA", "I-2");
  QMdiArea otherArea;
  otherArea.show();
  FormHost otherHost(&otherArea, d.bench.db().path());  // another window saves I-2's contact first
  QWidget* other = otherHost.show("frmaddressbook");
  other->findChild<QComboBox*>("dataclientaddbk")->setEditText("BETA");
  other->findChild<QComboBox*>("datainqnumaddbk")->setEditText("I-2");
  other->findChild<QPushButton*>("cmdshow")->click();
  d.prompts.expect(kSaveQuestion, Prompter::Answer::Yes);
  other->findChild<QPushButton*>("comsaveaddbook")->click();
  QCOMPARE(d.rows("taddressbook"), 1);

  d.saveYes("already has one");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.booking());
  QCOMPARE(d.stored("SELECT client FROM taddressbook"), QString("BETA"));
}

void AddressBookTest::noThenNoStoresNothing() {
  AddressDesk d;
  d.openBook();
  d.showFor("ALPHA", "I-1");
  d.type("taddressaddbk", "SOMEWHERE");
  d.prompts.expect(kSaveQuestion, Prompter::Answer::No)
      .expect("Click YES if want to fill remaining data...Click NO if want to close form without saving data", "",
              Prompter::Answer::No);
  d.click("comsaveaddbook");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QTRY_VERIFY(!d.booking());
  QCOMPARE(d.rows("taddressbook"), 0);
}

QTEST_MAIN(AddressBookTest)
#include "tst_addressbook.moc"
