#include "documents/documentform.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "documents/itemrequirementblock.h"
#include "documents/savequestion.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

DocumentForm::DocumentForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts)
    : FormBase(formName) {
  setWindowTitle(caption);
  connection_ = Connection::open(host.databasePath());
  login_ = currentLoginName(*connection_);
  block_ = new ItemRequirementBlock(texts, this);
  block_->loadMakeLists(*connection_);
}

DocumentForm::~DocumentForm() { block_->attach(nullptr); }

void DocumentForm::useSaveButton(QPushButton* save) {
  connectGuarded(save, &QPushButton::clicked, this, [this] { this->save(); });
  setCloseRule(CloseRule::entryForm(save));
}

void DocumentForm::save() {
  switch (askSaveChoice()) {
    case SaveChoice::KeepEditing:
      return;
    case SaveChoice::Discard:
      releaseData();
      closeByOwnPath();
      return;
    case SaveChoice::Save:
      if (saveRows()) closeByOwnPath();
      return;
  }
}

void DocumentForm::releaseData() {
  block_->attach(nullptr);
  dropRows();
}

void DocumentForm::onDatePicked(QCalendarWidget* calendar, QLineEdit* shown, std::initializer_list<RecordSet*> rows,
                                const QString& column) {
  const std::vector<RecordSet*> targets(rows);
  connectGuarded(calendar, &QCalendarWidget::selectionChanged, this, [calendar, shown, targets, column] {
    const QDate picked = calendar->selectedDate();
    for (RecordSet* row : targets) row->setValue(column, picked);
    shown->setText(picked.toString(QStringLiteral("dd/MM/yy")));
  });
}
