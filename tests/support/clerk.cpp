#include "tests/support/clerk.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

const QString kSaveQuestion = " YES--->>> (IF WANT TO SAVE INFORMATION)" + QString(83, ' ') +
                              "NO--->>> (IF NEED TO FILL REMAINING ENTRY OR NOT WANT TO SAVE DATA) ";

Clerk::Clerk(const QString& name) { bench.db().signIn(name); }

QWidget* Clerk::open(const QString& formName) { return form = bench.show(formName); }

QWidget* Clerk::at(const QString& name) {
  QWidget* control = form ? form->findChild<QWidget*>(name) : nullptr;
  if (!control) qFatal("no control %s", qPrintable(name));
  return control;
}

QComboBox* Clerk::combo(const QString& name) { return qobject_cast<QComboBox*>(at(name)); }
QLineEdit* Clerk::box(const QString& name) { return qobject_cast<QLineEdit*>(at(name)); }
QListWidget* Clerk::list(const QString& name) { return qobject_cast<QListWidget*>(at(name)); }

void Clerk::enter(const QString& name, const QString& text) {
  bench.type(at(name), text);
  bench.leave(at(name));
}

void Clerk::saveYes(const QString& button, const QString& then) {
  prompts.expect(kSaveQuestion, "ALERT!", Prompter::Answer::Yes);
  if (!then.isEmpty()) prompts.expectContaining(then);
  click(button);
}

void Clerk::enterInquiry(const QString& number, const QString& client, const QList<ItemLineEntry>& lines) {
  open("frminquiry");
  type("datacominqno", number);
  click("cmdshow");
  if (!client.isEmpty()) enter("datacomclient", client);
  for (const ItemLineEntry& l : lines) {
    click("chk" + l.suffix);
    type("txtid" + l.suffix, l.description);
    enter("txt" + l.suffix + "qty", l.quantity);
    enter("datacommanf" + l.suffix, l.make);
  }
  prompts.expect(kSaveQuestion, Prompter::Answer::Yes)
      .expect("If this is new client , Please fillup address book from main form  ");
  click("cmdsaveinq");
  QTRY_VERIFY(!isOpen("frminquiry"));
}

void Clerk::enterQuotation(const QString& inquiry, const QString& number) {
  open("frmquotation");
  combo("datacominqnoquote")->setEditText(inquiry);
  click("cmdshow");
  type("txtquotenum", number);
  saveYes("cmdsavequote");
  QTRY_VERIFY(!isOpen("frmquotation"));
}

void Clerk::enterOrder(const QString& quotation, const QString& number) {
  open("frmpurchaseorder");
  combo("datacomquotenumpo")->setEditText(quotation);
  click("cmdshowedit");
  type("txtponumpo", number);
  saveYes("cmdsavepo");
  QTRY_VERIFY(!isOpen("frmpurchaseorder"));
}
