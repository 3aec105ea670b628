#pragma once

#include <memory>
#include <vector>

#include "browse/browselist.h"
#include "toolkit/formbase.h"

class Connection;
class FormHost;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QVBoxLayout;

// What the view data and query forms share: the heading, one connection, the
// lists with their stacked navigation bars, the button that covers the bars,
// and CLOSE as the only way out.
class BrowseForm : public FormBase {
  Q_OBJECT

 public:
  ~BrowseForm() override;

 protected:
  BrowseForm(const QString& formName, const QString& title, const QString& heading, const QString& coverName,
             const QString& coverCaption, FormHost& host);

  Connection& connection() { return *connection_; }
  QVBoxLayout* body() const { return body_; }
  BrowseList& addList(const ViewDefinition& definition, QTabWidget* tabs);
  // Brings the button forward, over every navigation bar.
  void coverBars();
  // A tab of `lists` chosen: its bar forward and its list read again, which it
  // returns; any other tab (HELP) brings the button forward and returns null.
  BrowseList* showListOfTab(const std::vector<BrowseList*>& lists, int tab);
  // Writes every corrected row not yet written; false when one was refused.
  bool writeAllChanges();

 private:
  std::unique_ptr<Connection> connection_;
  std::vector<std::unique_ptr<BrowseList>> lists_;
  QVBoxLayout* body_;
  QStackedWidget* bars_;
  QPushButton* cover_;
};
