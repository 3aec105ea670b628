#pragma once

#include <QGroupBox>
#include <QVariantHash>
#include <array>

#include "store/categories.h"

class QCheckBox;

// One box per category: ticked when the item is in stock. A box the user
// changed stores "YES" or "NO"; one never changed leaves its column as it was.
class StockStatusFrame : public QGroupBox {
  Q_OBJECT

 public:
  explicit StockStatusFrame(QWidget* parent);

  std::array<bool, kCategoryCount> inStock() const;
  QVariantHash columns() const;  // the stock columns of the boxes changed

 private:
  std::array<QCheckBox*, kCategoryCount> boxes_{};
  std::array<bool, kCategoryCount> changed_{};
};
