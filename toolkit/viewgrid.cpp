#include "toolkit/viewgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <set>

#include "toolkit/errorsink.h"
#include "toolkit/querytablemodel.h"

ViewGrid::ViewGrid(const QString& name, const QString& tooltip, QWidget* parent) : QTableView(parent) {
  setObjectName(name);
  setToolTip(tooltip);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setDefaultSectionSize(110);
}

namespace {
constexpr int kWidestColumn = 320;

// A cell's text on one line, without the tab that would split it.
QString cellText(const QVariant& value) {
  QString text = value.toString();
  text.replace('\t', ' ').replace('\r', ' ').replace('\n', ' ');
  return text;
}
}  // namespace

QString ViewGrid::selectionAsText() const {
  if (!model() || !selectionModel()) return {};
  std::set<int> rows;
  std::set<int> columns;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int r = range.top(); r <= range.bottom(); ++r) rows.insert(r);
    for (int c = range.left(); c <= range.right(); ++c) columns.insert(c);
  }
  if (rows.empty()) return {};
  QStringList lines;
  QStringList captions;
  for (int c : columns) captions << cellText(model()->headerData(c, Qt::Horizontal));
  lines << captions.join('\t');
  for (int r : rows) {
    QStringList cells;
    for (int c : columns) {
      const QModelIndex index = model()->index(r, c);
      cells << (selectionModel()->isSelected(index) ? cellText(index.data()) : QString());
    }
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

void ViewGrid::allowTyping() {
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void ViewGrid::finishEditing() {
  QWidget* editor = QApplication::focusWidget();
  if (state() == QAbstractItemView::EditingState && editor && isAncestorOf(editor))
    editor->clearFocus();  // the delegate takes the text on losing the focus
}

void ViewGrid::reopenCell(int row, int column, const QString& text) {
  const QModelIndex cell = model()->index(row, column);
  setCurrentIndex(cell);
  edit(cell);
  if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()); editor && isAncestorOf(editor)) {
    editor->setText(text);
    editor->selectAll();
  }
}

// A long text (a description, a make list) may take the grid's whole width
// before it is cut, so that a combined description reads whole.
void ViewGrid::fitColumns() {
  resizeColumnsToContents();
  const int cap = std::max(kWidestColumn, viewport()->width());
  for (int c = 0; model() && c < model()->columnCount(); ++c) {
    const int widest = std::max(cap, horizontalHeader()->sectionSizeHint(c));  // captions stay whole
    if (columnWidth(c) > widest) setColumnWidth(c, widest);
  }
}

void ViewGrid::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (auto* list = qobject_cast<QueryTableModel*>(model()); list && !list->counted())
    QTimer::singleShot(0, list, [list] { runGuarded([list] { list->countRows(); }); });
}

void ViewGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(selectionAsText());
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}
