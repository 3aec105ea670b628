#pragma once

#include <memory>

#include "browse/browseform.h"

class QTabWidget;
struct KeySnapshot;

// The data sorted, grouped and totalled on nested tabs, as it stood when the
// form opened.
class frmquery1 : public BrowseForm {
  Q_OBJECT

 public:
  explicit frmquery1(FormHost& host);
  ~frmquery1() override;

 private:
  struct Group {
    QTabWidget* tabs;
    std::vector<BrowseList*> lists;
  };
  void outerTabSelected(int tab);
  void innerTabSelected(Group& group, int tab);

  std::unique_ptr<KeySnapshot> openedAt_;
  QTabWidget* outer_;
  std::vector<Group> groups_;
};
