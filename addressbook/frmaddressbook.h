#pragma once

#include <QList>

#include "store/recordset.h"
#include "toolkit/entryform.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// One contact record for the client of an inquiry that has none yet.
class frmaddressbook : public EntryForm {
  Q_OBJECT

 public:
  explicit frmaddressbook(FormHost& host);

 private:
  struct Box {
    QLineEdit* box;
    QString column;
  };
  struct ListBox {
    QComboBox* combo;
    QString column;
  };

  void buildControls();
  void layOut();
  void showPressed();
  void takeBoxes() override;
  void checkAtCommit() override;
  void writeRows() override;
  void dropRows() override;

  RecordSet contact_;
  QComboBox* inquiry_;
  QComboBox* company_;
  QList<ListBox> lists_;  // inquiry, company, area, state
  QList<Box> boxes_;      // the nine text boxes, in table order
  QLineEdit* login_;
  QPushButton* show_;
  QPushButton* save_;
};
