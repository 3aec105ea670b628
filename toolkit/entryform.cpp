#include "toolkit/entryform.h"

#include <QDate>
#include <QPushButton>

#include "store/documentchain.h"
#include "store/logins.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/refusal.h"
#include "toolkit/savequestion.h"

EntryForm::EntryForm(const QString& formName, const QString& caption, FormHost& host) : FormBase(formName) {
  setWindowTitle(caption);
  connection_ = Connection::open(host.databasePath());
  login_ = currentLoginName(*connection_);
  connection_->setAuthor({login_, formName});
  setCloseRule(CloseRule::entryForm([this] { return shown_; }));
}

EntryForm::~EntryForm() = default;

RecordSet EntryForm::newRow(const QString& table, const QString& loginColumn) {
  RecordSet row = RecordSet::openForAppend(connection(), table);
  row.addNew();
  if (tableNamed(table).columnIndex(QStringLiteral("logindate")) >= 0)  // the address book keeps no date
    row.setValue(QStringLiteral("logindate"), QDate::currentDate());
  row.setValue(loginColumn, loginName());
  return row;
}

void EntryForm::requireNumberUnused(const QString& table, const QString& column, const QString& number,
                                    const QString& message) {
  if (numberTaken(*connection_, table, column, number)) throw Refusal{message, QStringLiteral("ALERT!")};
}

void EntryForm::useSaveButton(QPushButton* save) {
  connectGuarded(save, &QPushButton::clicked, this, [this] { this->save(); });
}

void EntryForm::save() {
  switch (askSaveChoice()) {
    case SaveChoice::KeepEditing:
      return;
    case SaveChoice::Discard:
      releaseData();
      closeByOwnPath();
      return;
    case SaveChoice::Save:
      takeBoxes();
      {
        Transaction all(connection());
        checkAtCommit();
        writeRows();
        all.commit();
      }
      afterSave();
      closeByOwnPath();
      return;
  }
}
