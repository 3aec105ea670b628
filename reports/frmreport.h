#pragma once

#include "toolkit/formbase.h"

class FormHost;

// The menu of the four follow-up reports.
class frmreport : public FormBase {
  Q_OBJECT

 public:
  explicit frmreport(FormHost& host);
};
