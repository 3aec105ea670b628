#pragma once

#include <QDate>
#include <initializer_list>
#include <memory>

#include "store/connection.h"
#include "toolkit/formbase.h"

struct BlockTexts;
class FormHost;
class ItemRequirementBlock;
class QCalendarWidget;
class QLineEdit;
class QPushButton;
class QWidget;
class RecordSet;

// What the entry forms of the document chain share: their own connection, the
// current login name, the item requirement block, the SAVE questions and the
// entry close rule.
class DocumentForm : public FormBase {
  Q_OBJECT

 public:
  DocumentForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts);
  ~DocumentForm() override;

 protected:
  Connection& connection() { return *connection_; }
  const QString& loginName() const { return login_; }
  ItemRequirementBlock* block() const { return block_; }

  // The save button asks the two SAVE questions; it also decides the close rule.
  void useSaveButton(QPushButton* save);
  // After SAVE was confirmed: writes the rows; false keeps the form open (the user was told why).
  virtual bool saveRows() = 0;
  // The open rows are dropped: SAVE answered NO twice, or a close before SHOW.
  virtual void dropRows() = 0;

  // A date picked on a calendar goes into the rows and is shown "dd/MM/yy".
  void onDatePicked(QCalendarWidget* calendar, QLineEdit* shown, std::initializer_list<RecordSet*> rows,
                    const QString& column);

 private:
  void releaseData() override;
  void save();

  std::unique_ptr<Connection> connection_;
  QString login_;
  ItemRequirementBlock* block_;
};
