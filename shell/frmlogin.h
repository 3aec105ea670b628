#pragma once

#include <memory>

#include "store/connection.h"
#include "store/logins.h"
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
  bool signsIn(SignInSlots range);
  void submitUser();
  void submitAdministrator();
  void noteWitness();

  FormHost& host_;
  std::unique_ptr<Connection> connection_;
  RecordSet log_;  // holds the pending sign-in row
  QLineEdit* userName_;
  QLineEdit* password_;
};
