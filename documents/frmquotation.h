#pragma once

#include "documents/answeringform.h"

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;

// The quotation answering one stored, unquoted inquiry: SHOW loads the
// inquiry's item and summary rows, SAVE stores the quotation, writes its
// number into those rows and marks the inquiry quoted, all at once.
class frmquotation : public AnsweringForm {
  Q_OBJECT

 public:
  explicit frmquotation(FormHost& host);

 private:
  void buildControls();
  void layOut();
  void connectHandlers();
  void showPressed();
  void takeBoxes() override;

  QComboBox* inquiry_;
  QPushButton* show_;
  QLineEdit* client_;
  QLineEdit* number_;
  QCalendarWidget* calendar_;
  QLineEdit* date_;
  QLineEdit* rate_;
  QPushButton* edit_;
  QLineEdit* loginBox_;
  QPushButton* save_;
};
