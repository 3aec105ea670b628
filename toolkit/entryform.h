#pragma once

#include <memory>

#include "store/connection.h"
#include "store/recordset.h"
#include "toolkit/formbase.h"

class FormHost;
class QPushButton;

// A form that enters one new document: its own connection, the current login
// name, the "shown" state that SHOW sets, and one shape of SAVE for all:
// every box is taken through its checks into the open rows; then, in one
// transaction, the checks that must still hold at commit time and the writes.
// Any refusal rolls back and is shown after the rollback, nothing written.
class EntryForm : public FormBase {
  Q_OBJECT

 public:
  EntryForm(const QString& formName, const QString& caption, FormHost& host);
  ~EntryForm() override;

 protected:
  Connection& connection() { return *connection_; }
  const QString& loginName() const { return login_; }

  void setShown() { shown_ = true; }

  // The form's new document row, pending until SAVE: today as its login date,
  // where it has one, and the current login name in its login column.
  RecordSet newRow(const QString& table, const QString& loginColumn = QStringLiteral("login"));

  // Under the write lock: no stored document of the table has this number.
  void requireNumberUnused(const QString& table, const QString& column, const QString& number, const QString& message);

  // The save button asks the two SAVE questions and runs the shape above.
  void useSaveButton(QPushButton* save);

  // What the boxes show goes into the open rows; a box that cannot be stored
  // throws a Refusal with the message its own check gives.
  virtual void takeBoxes() = 0;
  // Under the write lock: numbers still unused, parents still open; a Refusal otherwise.
  virtual void checkAtCommit() = 0;
  virtual void writeRows() = 0;
  virtual void afterSave() {}
  // The open rows are dropped: SAVE answered NO twice, or a close before SHOW.
  virtual void dropRows() = 0;

 private:
  void releaseData() override { dropRows(); }
  void save();

  std::unique_ptr<Connection> connection_;
  QString login_;
  bool shown_ = false;
};
