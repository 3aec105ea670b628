#pragma once

#include "browse/browseform.h"

class QTabWidget;

// Stored rows corrected in place, one tab per table. Reached only through the
// edit-data gate.
class frmeditdata : public BrowseForm {
  Q_OBJECT

 public:
  explicit frmeditdata(FormHost& host);

 private:
  void tabSelected(int tab);

  QTabWidget* tabs_;
  std::vector<BrowseList*> tables_;
};
