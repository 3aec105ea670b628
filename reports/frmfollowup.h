#pragma once

#include <QDate>
#include <memory>
#include <optional>

#include "store/queries/followup.h"
#include "toolkit/formbase.h"

class Connection;
class DataControl;
class FollowUpListModel;
class FormHost;
class QLabel;
class QPushButton;
class QTableWidget;
class ViewGrid;

// The follow-up board: the open documents of the four stages by days overdue,
// each cell with its count and value; a cell's documents listed below, most
// overdue first, ready for a report; an unpaid invoice marked paid where it is seen.
class frmfollowup : public FormBase {
  Q_OBJECT

 public:
  explicit frmfollowup(FormHost& host);
  ~frmfollowup() override;

  // The day the board counts from: the computer's date unless one is set (an invalid date restores it).
  static void setToday(QDate day);
  static QDate today();

 private:
  void readBoard();
  void showCell(int row, int column);
  void makeReport();
  void recordPayment();
  void updateButtons();

  QString databasePath_;
  std::unique_ptr<Connection> connection_;
  QDate today_;
  QLabel* todayLine_;
  QTableWidget* board_;
  QLabel* listTitle_;
  ViewGrid* grid_;
  DataControl* bar_;
  FollowUpListModel* list_ = nullptr;  // owned by the grid
  QPushButton* report_;
  QPushButton* payment_;
  FollowUpStage stage_ = FollowUpStage::Inquiries;
  std::optional<Overdue> bucket_;
  bool listed_ = false;
};
