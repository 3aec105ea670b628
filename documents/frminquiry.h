#pragma once

#include "documents/documentform.h"
#include "store/recordset.h"

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;

// A new client inquiry: its number, client, area, dates, budgetary rate and
// items, saved as one inquiry row, one item row and one summary row.
class frminquiry : public DocumentForm {
  Q_OBJECT

 public:
  explicit frminquiry(FormHost& host);

 private:
  void buildControls();
  void layOut();
  void connectHandlers();
  void numberLeft();
  void showPressed();
  QString number() const;
  void takeBoxes() override;
  void checkAtCommit() override;
  void writeRows() override;
  void afterSave() override;
  void dropRows() override;

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
  QLineEdit* login_;
  QPushButton* save_;
};
