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
  // Follows the grid's model; call again after the grid gets a new one.
  void bindModel();

  QString caption() const;
  // A title in place of the position, until the current row moves.
  void showTitle(const QString& title);
  // A caption that never changes: the bar only moves.
  void setFixedCaption(const QString& caption);
  void moveFirst() { moveTo(0); }
  void movePrevious() { moveTo(currentRow() - 1); }
  void moveNext() { moveTo(currentRow() + 1); }
  // Before a long list is counted, its last row is reached once the count arrives.
  void moveLast();

 protected:
  // With the focus, the arrow keys, Home and End move like the buttons.
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  // The current row changed from `previous` (-1 when none) to `current`.
  void rowLeft(int previous, int current);

 private:
  int currentRow() const;
  int rowCount() const;
  void moveTo(int row);
  void updateCaption();

  QAbstractItemView* grid_;
  QLabel* caption_;
  bool lastWanted_ = false;  // the last row, as soon as the list is counted
  QList<QMetaObject::Connection> bindings_;
  enum class Shows { Position, Title, Fixed } shows_ = Shows::Position;
};

// "n  OF  m": the current position (1-based) and the record count; while a
// long list is still being counted, the rows read so far and a "+".
QString recordPositionText(int position, int count, bool counted = true);
