#include "documents/answeringform.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>

#include "documents/itemrequirementblock.h"
#include "store/basics/dberror.h"
#include "store/queries/documentqueries.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"
#include "toolkit/refusal.h"

AnsweringForm::AnsweringForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts,
                             Step step, const Answer& answer)
    : DocumentForm(formName, caption, host, texts), step_(step), answerKind_(answer) {
  answer_ = newRow(answer.table, answer.loginColumn);
}

QComboBox* AnsweringForm::makeParentCombo(const QString& name, const QString& tooltip, const QString& listName) {
  auto* open = new ListModel(connection(), openParentsList(step_), this);
  open->setObjectName(listName);
  QComboBox* combo = makeListCombo(this, name, tooltip, open);
  if (combo->count() > 0) combo->setCurrentIndex(0);
  upperCaseTypedKeys(combo);
  return combo;
}

void AnsweringForm::useEditButton(QPushButton* edit) {
  connectGuarded(edit, &QPushButton::clicked, this, [this] {
    block()->setEnabled(true);
    editing_ = true;
  });
}

bool AnsweringForm::loadParent(const QString& chosen, const ShowMessages& messages) {
  if (chosen.isEmpty()) {
    tell(messages.empty, QStringLiteral("ALERT!"));
    return false;
  }
  if (!isOpenParent(connection(), step_, chosen)) {
    tell(messages.notInList, QStringLiteral("ALERT!"));
    return false;
  }
  const QString number = chosen.trimmed();
  std::optional<TransactionRows> loaded = TransactionRows::load(connection(), chainStep(step_).parentNumber, number);
  if (!loaded) {
    tell(QStringLiteral("The item details of %1 %2 are missing from the database, so nothing was loaded. Please "
                        "correct them in EDIT DATA first.")
             .arg(answerKind_.parentName, number),
         QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
    return false;
  }
  // A second SHOW drops what the first one loaded.
  rows_ = std::move(loaded);
  shownParent_ = number;
  answer_.setValue(chainStep(step_).childColumn, chosen);
  block()->show(rows_->lines());
  setShown();
  return true;
}

void AnsweringForm::showClientIn(QLineEdit* box) {
  const QString client = rows_->item().value(QStringLiteral("client")).toString();
  if (!client.isEmpty()) box->setText(client);
}

void AnsweringForm::takeAnswer(const QString& number, const QVariant& client) {
  if (editing_) {
    const ItemLines lines = block()->lines();
    const ItemSummary summary = lines.summary();
    requireTotalFits(summary);
    rows_->setItem(lines.columns());
    rows_->setSummary(summary.columns());
  }
  number_ = number;
  answer_.setValue(QStringLiteral("client"), client);
  answer_.setValue(answerKind_.numberColumn, number);
  rows_->setItem({{QStringLiteral("client"), client},
                  {QStringLiteral("logindate"), QDate::currentDate()},
                  {QStringLiteral("login"), loginName()}});
  rows_->setNumber(answerKind_.numberColumn, number);
}

void AnsweringForm::checkAtCommit() {
  requireNumberUnused(answerKind_.table, answerKind_.numberColumn, number_,
                      answerKind_.numberUsed);
  if (isOpenParent(connection(), step_, shownParent_)) return;
  throw Refusal{QStringLiteral("%1 %2 is no longer open: it was answered or removed in another window after SHOW, so "
                               "nothing was saved.")
                    .arg(answerKind_.parentName, shownParent_),
                QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
}

void AnsweringForm::writeRows() {
  answer_.updateBatch();
  try {
    rows_->write();
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::Conflict) throw;
    throw Refusal{QStringLiteral("The items of %1 %2 were changed in another window after SHOW loaded them, so "
                                 "nothing was saved. Press SHOW to load them again.")
                      .arg(answerKind_.parentName, shownParent_),
                  QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
  }
  markParentAnswered(connection(), step_, shownParent_);
}

void AnsweringForm::dropRows() {
  answer_.close();
  rows_.reset();
}
