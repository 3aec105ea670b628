#pragma once

#include <memory>

#include "toolkit/formbase.h"

class Connection;
class DataControl;
class FormHost;
class QComboBox;
class QLabel;
class QLineEdit;
class ViewGrid;

// The change log for the office: every stored change, newest first, narrowed
// by document number, table, login and dates. Read-only; reached from the
// edit data form.
class frmchangelog : public FormBase {
  Q_OBJECT

 public:
  explicit frmchangelog(FormHost& host);
  ~frmchangelog() override;

 private:
  void showChanges();

  std::unique_ptr<Connection> connection_;
  QLabel* checkLine_;
  QLineEdit* number_;
  QComboBox* table_;
  QLineEdit* login_;
  QLineEdit* from_;
  QLineEdit* to_;
  ViewGrid* grid_;
  DataControl* bar_;
};
