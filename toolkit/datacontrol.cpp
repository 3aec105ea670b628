#include "toolkit/datacontrol.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "toolkit/querytablemodel.h"

QString recordPositionText(int position, int count, bool counted) {
  return QStringLiteral("%1  OF  %2%3").arg(position).arg(count).arg(counted ? QString() : QStringLiteral("+"));
}

namespace {
QueryTableModel* listOf(QAbstractItemView* grid) { return qobject_cast<QueryTableModel*>(grid->model()); }
}  // namespace

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

  setFocusPolicy(Qt::StrongFocus);
  bindModel();
}

void DataControl::bindModel() {
  for (const QMetaObject::Connection& c : bindings_) disconnect(c);
  bindings_.clear();
  if (!grid_->model()) {
    updateCaption();
    return;
  }
  bindings_ << connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                       [this](const QModelIndex& current, const QModelIndex& previous) {
                         if (shows_ == Shows::Title) shows_ = Shows::Position;
                         updateCaption();
                         emit rowLeft(previous.isValid() ? previous.row() : -1, current.row());
                       });
  bindings_ << connect(grid_->model(), &QAbstractItemModel::modelReset, this, &DataControl::moveFirst);
  // Rows counted after the first page: the count in the caption grows.
  bindings_ << connect(grid_->model(), &QAbstractItemModel::rowsInserted, this, &DataControl::updateCaption);
  if (QueryTableModel* list = listOf(grid_))
    bindings_ << connect(list, &QueryTableModel::countArrived, this, [this] {
      if (lastWanted_) moveLast();
      updateCaption();
    });
  lastWanted_ = false;
  moveFirst();
}

void DataControl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Home: moveFirst(); break;
    case Qt::Key_Left: case Qt::Key_Up: movePrevious(); break;
    case Qt::Key_Right: case Qt::Key_Down: moveNext(); break;
    case Qt::Key_End: moveLast(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

QString DataControl::caption() const { return caption_->text(); }

void DataControl::showTitle(const QString& title) {
  if (shows_ == Shows::Fixed) return;
  shows_ = Shows::Title;
  caption_->setText(title);
}

void DataControl::setFixedCaption(const QString& caption) {
  shows_ = Shows::Fixed;
  caption_->setText(caption);
}

int DataControl::currentRow() const { return grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1; }

int DataControl::rowCount() const { return grid_->model() ? grid_->model()->rowCount() : 0; }

void DataControl::moveLast() {
  QueryTableModel* list = listOf(grid_);
  lastWanted_ = list && !list->counted();
  if (lastWanted_) list->countRows();
  moveTo(rowCount() - 1);
}

void DataControl::moveTo(int row) {
  if (row < currentRow()) lastWanted_ = false;  // the user went elsewhere meanwhile
  QAbstractItemModel* model = grid_->model();
  if (model && row >= model->rowCount() && model->canFetchMore({})) model->fetchMore({});
  const int rows = rowCount();
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
  if (shows_ != Shows::Position) return;
  const int rows = rowCount();
  const QueryTableModel* list = listOf(grid_);
  caption_->setText(recordPositionText(rows == 0 ? 0 : currentRow() + 1, rows, !list || list->counted()));
}
