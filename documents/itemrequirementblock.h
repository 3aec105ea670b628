#pragma once

#include <QGroupBox>
#include <array>

#include "documents/blocktexts.h"
#include "store/itemlines.h"

class Connection;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The seven category lines of a document form. It shows and edits an item
// row's lines; the hosting form takes them at SAVE and stores them.
class ItemRequirementBlock : public QGroupBox {
  Q_OBJECT

 public:
  ItemRequirementBlock(const BlockTexts& texts, QWidget* parent = nullptr);

  // Reads the distinct makes stored for each category into its drop-down list;
  // the make boxes stay empty.
  void loadMakeLists(Connection& connection);
  // Ticks, descriptions, quantities and makes, in that order; a quantity of 0
  // leaves its box empty.
  void show(const ItemLines& lines);
  void clear();
  // What the boxes show. A quantity box that cannot be stored is a Refusal
  // with the message leaving the box gives.
  ItemLines lines() const;

 private:
  struct Line {
    QCheckBox* check;
    QLineEdit* description;
    QLineEdit* quantity;
    QComboBox* make;
    QVariant flag;  // as loaded, until the box is ticked or unticked
  };

  void buildLine(int row, const Category& category, const BlockTexts& texts, Line& line);

  std::array<Line, kCategoryCount> lines_{};
  QString makeListPrefix_;
};
