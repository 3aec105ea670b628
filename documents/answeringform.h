#pragma once

#include <optional>

#include "documents/documentform.h"
#include "store/documentchain.h"
#include "store/queries/transactionrows.h"
#include "store/recordset.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// A form that answers an open document of the chain with a new one: the user
// picks the parent among the open ones, SHOW loads its transaction's item and
// summary rows into the block, "EDIT??" lets the block change them, and SAVE
// stores the answer, writes the rows back, checks that the parent is still
// open and marks it answered, all at once.
class AnsweringForm : public DocumentForm {
  Q_OBJECT

 protected:
  // What the form answers with, and how messages name the parent's number.
  struct Answer {
    QString table;             // tquote
    QString numberColumn;      // quotenum
    QString loginColumn;       // loginquote
    QString numberUsed;        // the message when another document has the number
    QString parentName;        // "Inquiry No."
  };
  AnsweringForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts, Step step,
                const Answer& answer);

  // The open parents, upper-casing typed keys; it shows the first of them.
  QComboBox* makeParentCombo(const QString& name, const QString& tooltip, const QString& listName);
  void useEditButton(QPushButton* edit);

  struct ShowMessages {
    QString empty;      // nothing chosen
    QString notInList;  // not an open parent
  };
  // Loads the chosen parent's rows and fills the block, and names the parent
  // in the answer's row as chosen; false (the user was told why) leaves
  // everything as it was.
  bool loadParent(const QString& chosen, const ShowMessages& messages);
  // After SHOW: the transaction's client, unless it names none; then a client
  // typed in the box stays.
  void showClientIn(QLineEdit* box);

  RecordSet& answerRow() { return answer_; }
  TransactionRows& rows() { return *rows_; }
  // At SAVE: the answer's number and client, in its own row and in the
  // transaction's rows, which also take today's date and the login name;
  // after "EDIT??" also the block's lines and their summary.
  void takeAnswer(const QString& number, const QVariant& client);

 private:
  void checkAtCommit() override;
  void writeRows() override;
  void dropRows() override;

  Step step_;
  Answer answerKind_;
  RecordSet answer_;
  std::optional<TransactionRows> rows_;
  QString shownParent_;  // trimmed number of the parent SHOW loaded
  QString number_;       // the answer's number, as SAVE took it
  bool editing_ = false;
};
