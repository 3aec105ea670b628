#pragma once

#include <QWidget>

class QAbstractItemView;
class QLabel;
class QToolButton;

// The navigation bar under a grid: first, previous, next, last, and the record
// position "n  OF  m". The bar and the grid share the current row.
class DataControl : public QWidget {
  Q_OBJECT

 public:
  DataControl(const QString& name, QAbstractItemView* grid, QWidget* parent = nullptr);

  QString caption() const;
  void moveFirst() { moveTo(0); }
  void movePrevious() { moveTo(currentRow() - 1); }
  void moveNext() { moveTo(currentRow() + 1); }
  void moveLast();

 signals:
  // The current row changed from `previous` (-1 when none) to `current`.
  void rowLeft(int previous, int current);

 private:
  int currentRow() const;
  void moveTo(int row);
  void updateCaption();

  QAbstractItemView* grid_;
  QLabel* caption_;
};

// "n  OF  m": the current position (1-based) and the record count.
QString recordPositionText(int position, int count);
