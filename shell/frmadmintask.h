#pragma once

#include <memory>

#include "store/connection.h"
#include "toolkit/formbase.h"

class DataControl;
class EditableTableModel;
class FormHost;
class ViewGrid;

// The administrator's screen: the six sign-in slots, changed in a grid and
// stored only by SAVE DATA. It leads back to the sign-in form.
class frmadmintask : public FormBase {
  Q_OBJECT

 public:
  explicit frmadmintask(FormHost& host);
  ~frmadmintask() override;

 protected:
  void releaseData() override;

 private:
  void saveData();
  void goBack();

  FormHost& host_;
  std::unique_ptr<Connection> connection_;
  EditableTableModel* slots_;
  ViewGrid* grid_;
  DataControl* bar_;
};
