#pragma once

#include <optional>

#include "documents/documentform.h"
#include "store/documentchain.h"
#include "store/transactionrows.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// A form that answers an open document of the chain: the user picks the parent
// among the open ones, SHOW loads its transaction's item and summary rows into
// the block, "EDIT??" lets the block change them, and SAVE writes them back,
// checks that the parent is still open and marks it answered, all at once.
class AnsweringForm : public DocumentForm {
  Q_OBJECT

 protected:
  // `parentName` names the parent's number in messages ("Inquiry No.").
  AnsweringForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts, Step step,
                const QString& parentName);

  // The open parents, upper-casing typed keys; it shows the first of them.
  QComboBox* makeParentCombo(const QString& name, const QString& tooltip, const QString& listName);
  void useEditButton(QPushButton* edit);

  struct ShowMessages {
    QString empty;      // nothing chosen
    QString notInList;  // not an open parent
  };
  // Loads the chosen parent's rows and fills the block; false (the user was
  // told why) leaves everything as it was.
  bool loadParent(const QString& chosen, const ShowMessages& messages);

  TransactionRows& rows() { return *rows_; }
  // After SHOW: the transaction's client, unless it names none; then a client
  // typed in the box stays.
  void showClientIn(QLineEdit* box);
  // At SAVE: the answer's number and client, in its own row and in the
  // transaction's rows, which also take today's date and the login name.
  void takeAnswer(RecordSet& answer, const QString& numberColumn, const QString& number, const QVariant& client);

  // At SAVE: after "EDIT??", the block's lines into the item row and their
  // summary into the summary row.
  void takeItemEdits();
  // Under the write lock: the parent SHOW loaded is still there and unanswered.
  void requireParentStillOpen();
  // The rows, unless changed elsewhere since SHOW, and the parent's status.
  void writeTransaction();

  void dropTransaction() { rows_.reset(); }

 private:
  Step step_;
  QString parentName_;
  std::optional<TransactionRows> rows_;
  QString shownParent_;  // trimmed number of the parent SHOW loaded
  bool editing_ = false;
};
