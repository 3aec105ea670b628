#pragma once

#include "documents/answeringform.h"

class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The invoice and delivery challan answering one stored purchase order: SAVE
// stores them, writes the invoice number into the transaction's rows and
// marks the order executed, all at once. The payment status is left for the
// edit grids.
class frminvoicechallan : public AnsweringForm {
  Q_OBJECT

 public:
  explicit frminvoicechallan(FormHost& host);

 private:
  void buildControls();
  void layOut();
  void connectHandlers();
  void showPressed();
  void takeBoxes() override;

  QComboBox* order_;
  QPushButton* show_;
  QLineEdit* client_;
  QLineEdit* number_;
  QLineEdit* challan_;
  QGroupBox* dates_;
  QCalendarWidget* calendar_;
  QLineEdit* date_;
  QLineEdit* challanDate_;
  QLineEdit* dueDate_;
  QPushButton* notApplicable_;
  QLineEdit* amount_;
  QPushButton* edit_;
  QLineEdit* loginBox_;
  QPushButton* save_;
};
