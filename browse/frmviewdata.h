#pragma once

#include "browse/browseform.h"

class QTabWidget;

// Everything entered, read-only: the complete chains, each document table and
// the address book, one tab each. Selecting a tab reads its list again.
class frmviewdata : public BrowseForm {
  Q_OBJECT

 public:
  explicit frmviewdata(FormHost& host);

 private:
  void tabSelected(int tab);

  QTabWidget* tabs_;
  std::vector<BrowseList*> lists_;
};
