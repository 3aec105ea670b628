#pragma once

#include "toolkit/formbase.h"

class FormHost;

// The first sheet: any key, or a click on its frame, leads to the sign-in form.
class frmSplash : public FormBase {
  Q_OBJECT

 public:
  explicit frmSplash(FormHost& host);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void escapePressed() override { proceedToSignIn(); }  // Escape is a key like any other here

 private:
  void proceedToSignIn();

  FormHost& host_;
};
