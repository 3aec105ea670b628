#pragma once

#include <memory>

#include "store/connection.h"
#include "store/recordset.h"
#include "toolkit/formbase.h"

class FormHost;
class QLineEdit;

class frmLogin : public FormBase {
  Q_OBJECT

 public:
  explicit frmLogin(FormHost& host);
  ~frmLogin() override;

 signals:
  void signedIn();

 private:
  void submitUser();

  std::unique_ptr<Connection> connection_;
  RecordSet passwords_;
  RecordSet log_;  // holds the pending sign-in row
  QLineEdit* userName_;
  QLineEdit* password_;
};
