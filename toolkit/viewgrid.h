#pragma once

#include <QTableView>

// A read-only grid. A long list is counted once its first screen is painted.
// Ctrl+C copies the selected cells as tab-separated text
// under their column captions, ready to paste into a mail or a spreadsheet.
class ViewGrid : public QTableView {
  Q_OBJECT

 public:
  ViewGrid(const QString& name, const QString& tooltip, QWidget* parent = nullptr);

  QString selectionAsText() const;
  // Cells take typing: a key, F2 or a double click opens the cell.
  void allowTyping();
  // Ends the typing in a cell, handing what was typed to the model.
  void finishEditing();
  // The cursor back in the cell, opened with this text, all of it selected.
  void reopenCell(int row, int column, const QString& text);
  // Columns as wide as their caption and the rows in sight, within reason.
  void fitColumns();
  // Room for a screenful of a wide list.
  QSize sizeHint() const override { return {1000, 440}; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};
