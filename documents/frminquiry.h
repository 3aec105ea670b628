#pragma once

#include <memory>

#include "store/connection.h"
#include "store/recordset.h"
#include "toolkit/formbase.h"

class FormHost;
class ItemRequirementBlock;
class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;

// A new client inquiry: its number, client, area, dates, budgetary rate and
// items, saved as one inquiry row, one item row and one summary row.
class frminquiry : public FormBase {
  Q_OBJECT

 public:
  explicit frminquiry(FormHost& host);
  ~frminquiry() override;

 protected:
  void releaseData() override;

 private:
  void buildControls();
  void connectHandlers();
  void numberLeft();
  void show();
  void headerLeft(QComboBox* box, const QString& column, const QString& emptyMessage);
  void datePicked(QCalendarWidget* calendar, QLineEdit* shown, bool alsoItemRow, const QString& column);
  void rateLeft();
  void save();
  void writeNumber(const QString& number);

  std::unique_ptr<Connection> connection_;
  RecordSet inquiry_;
  RecordSet item_;
  RecordSet summary_;

  QComboBox* number_;
  QPushButton* show_;
  QComboBox* client_;
  QComboBox* area_;
  QCalendarWidget* inquiryCalendar_;
  QLineEdit* inquiryDate_;
  QCalendarWidget* dueCalendar_;
  QLineEdit* dueDate_;
  QPushButton* notApplicable_;
  QLineEdit* rate_;
  ItemRequirementBlock* block_;
  QLineEdit* login_;
  QPushButton* save_;
};
