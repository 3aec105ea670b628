#pragma once

#include <QMainWindow>

class FormHost;
class QMdiArea;

// The main window: menus lead to every form, all but EXIT wait for sign-in,
// and only EXIT answered YES ends the program.
class frmmdi : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmmdi(const QString& databasePath, QWidget* parent = nullptr);

  FormHost& host() const { return *host_; }
  void showAsLastTime();  // the size and place it had when last closed, else maximised
  void start();           // shows the splash sheet

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void showForm(const QString& name);
  void setWorkingMenusEnabled(bool enabled);
  void onSignedIn();
  void exitProgram();
  void backUpNow();

  QMdiArea* area_;
  FormHost* host_;
  bool closingFlag_ = false;
};
