#pragma once

#include "documents/answeringform.h"

class OrderFilesPanel;
class OrderTerms;
class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
class StockStatusFrame;

// The client's purchase order answering one stored quotation: its number,
// dates, terms and value, the stock of each item and the files sent to the
// manufacturers. SAVE stores the order, writes its number, stock marks, file
// paths and the makes still to order into the transaction's rows, and marks
// the quotation ordered, all at once.
class frmpurchaseorder : public AnsweringForm {
  Q_OBJECT

 public:
  explicit frmpurchaseorder(FormHost& host);

 private:
  void buildControls();
  void layOut();
  void connectHandlers();
  void showPressed();
  void takeBoxes() override;

  QComboBox* quotation_;
  QPushButton* show_;
  QLineEdit* client_;
  QLineEdit* number_;
  QCalendarWidget* calendar_;
  QLineEdit* date_;
  QLineEdit* dueDate_;
  QPushButton* notApplicable_;
  OrderTerms* terms_;
  StockStatusFrame* stock_;
  OrderFilesPanel* files_;
  QPushButton* edit_;
  QLineEdit* loginBox_;
  QPushButton* save_;
};
