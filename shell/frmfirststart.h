#pragma once

#include <QString>
#include <functional>

#include "toolkit/formbase.h"

class Connection;
class FormHost;
class QLineEdit;
class QRadioButton;

// What the demo choice makes: the example records, and how to sign in to them.
struct DemoDatabase {
  std::function<void(Connection&)> fill;
  QString signInHint;
};
// Offers the demo choice on the first start; without it only an empty
// database is offered.
void offerDemoDatabase(DemoDatabase demo);

// The first start, when nothing stands where the database belongs: it makes
// an empty database there, with the administrator's and the first clerk's
// names and passwords, or a demo one, then leads to the sign-in form.
class frmfirststart : public FormBase {
  Q_OBJECT

 public:
  explicit frmfirststart(FormHost& host);

 protected:
  void releaseData() override;

 private:
  void create();
  QStringList signInSlots() const;

  FormHost& host_;
  QRadioButton* empty_;
  QRadioButton* demo_;
  QLineEdit* adminName_;
  QLineEdit* adminPassword_;
  QLineEdit* clerkName_;
  QLineEdit* clerkPassword_;
};
