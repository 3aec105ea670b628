#pragma once

#include "documents/documentform.h"
#include "store/recordset.h"

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
struct ItemSummary;

// The quotation answering one stored, unquoted inquiry: SHOW loads the
// inquiry's item and summary rows, SAVE stores the quotation, writes its
// number into those rows and marks the inquiry quoted, all at once.
class frmquotation : public DocumentForm {
  Q_OBJECT

 public:
  explicit frmquotation(FormHost& host);

 private:
  void buildControls();
  void connectHandlers();
  void show();
  void clientChanged(const QString& text);
  void numberChanged(const QString& text);
  bool saveRows() override;
  void commit(const ItemSummary& summary);
  void dropRows() override;

  RecordSet quote_;
  RecordSet item_;
  RecordSet summary_;
  QString shownInquiry_;  // the inquiry SHOW loaded; empty before SHOW
  bool editFlag_ = false;

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
