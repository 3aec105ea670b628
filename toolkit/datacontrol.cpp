#include "toolkit/datacontrol.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

QString recordPositionText(int position, int count) {
  return QStringLiteral("%1  OF  %2").arg(position).arg(count);
}

DataControl::DataControl(const QString& name, QAbstractItemView* grid, QWidget* parent)
    : QWidget(parent), grid_(grid) {
  setObjectName(name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto addButton = [&](const QString& text, const QString& tip, void (DataControl::*move)()) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    connect(button, &QToolButton::clicked, this, move);
    layout->addWidget(button);
  };
  addButton(QStringLiteral("|<"), QStringLiteral("First"), &DataControl::moveFirst);
  addButton(QStringLiteral("<"), QStringLiteral("Previous"), &DataControl::movePrevious);
  caption_ = new QLabel(this);
  caption_->setAlignment(Qt::AlignCenter);
  layout->addWidget(caption_, 1);
  addButton(QStringLiteral(">"), QStringLiteral("Next"), &DataControl::moveNext);
  addButton(QStringLiteral(">|"), QStringLiteral("Last"), &DataControl::moveLast);

  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex& previous) {
            updateCaption();
            emit rowLeft(previous.isValid() ? previous.row() : -1, current.row());
          });
  connect(grid_->model(), &QAbstractItemModel::modelReset, this, &DataControl::moveFirst);
  moveFirst();
}

QString DataControl::caption() const { return caption_->text(); }

int DataControl::currentRow() const { return grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1; }

void DataControl::moveLast() { moveTo(grid_->model()->rowCount() - 1); }

void DataControl::moveTo(int row) {
  const int rows = grid_->model()->rowCount();
  if (rows == 0) {
    updateCaption();
    return;
  }
  row = qBound(0, row, rows - 1);
  const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : 0;
  grid_->setCurrentIndex(grid_->model()->index(row, column));
  updateCaption();
}

void DataControl::updateCaption() {
  const int rows = grid_->model()->rowCount();
  caption_->setText(recordPositionText(rows == 0 ? 0 : currentRow() + 1, rows));
}
