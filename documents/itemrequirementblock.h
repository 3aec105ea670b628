#pragma once

#include <QGroupBox>
#include <array>

#include "documents/blocktexts.h"
#include "documents/categories.h"

class Connection;
class QCheckBox;
class QComboBox;
class QLineEdit;
class RecordSet;

struct ItemSummary {
  QString description;  // "  A  B": each non-empty description, trimmed, after two blanks
  qint64 totalQuantity = 0;
  QString make;
};

// The seven category lines of a document form. Every change goes straight
// into the attached, not yet committed item row; the hosting form commits it.
class ItemRequirementBlock : public QGroupBox {
  Q_OBJECT

 public:
  ItemRequirementBlock(const BlockTexts& texts, QWidget* parent = nullptr);

  // Reads the distinct makes stored for each category into its drop-down list;
  // the make boxes stay empty.
  void loadMakeLists(Connection& connection);
  // Empties the lines; from then on handlers write into this row (nullptr:
  // handlers do nothing).
  void attach(RecordSet* itemRow);
  // Ticks, descriptions, quantities and makes from the attached row, in that order.
  void fillFromItemRow();
  // From what the boxes show; the total is that of the quantities the row holds.
  ItemSummary buildSummary() const;

 private:
  struct Line {
    QCheckBox* check;
    QLineEdit* description;
    QLineEdit* quantity;
    QComboBox* make;
  };

  void buildLine(int row, const Category& category, const BlockTexts& texts, int index);
  void write(const QString& column, const QVariant& value);
  void quantityLeft(const Category& category, QLineEdit* box);
  void makeLeft(const Category& category, QComboBox* box);

  BlockTexts texts_;
  std::array<Line, kCategoryCount> lines_{};
  RecordSet* itemRow_ = nullptr;
};
