#pragma once

#include "toolkit/formbase.h"

class FormHost;
class QTabWidget;
class QPlainTextEdit;

// The user manual on ten tabs; it opens on ABOUT.... each time it is loaded.
class frmhelp : public FormBase {
  Q_OBJECT

 public:
  explicit frmhelp(FormHost& host);

 private:
  QWidget* aboutPage();

  QTabWidget* tabs_;
  QPlainTextEdit* info_;
};
