#pragma once

#include "toolkit/formbase.h"

class FormHost;

// The panel of buttons that leads to the same forms as the frame's menus.
class frmmain : public FormBase {
  Q_OBJECT

 public:
  explicit frmmain(FormHost& host);

 private:
  FormHost& host_;
};
