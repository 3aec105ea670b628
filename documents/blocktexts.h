#pragma once

#include <QString>
#include <array>

#include "store/categories.h"

// What differs between the forms that host the item requirement block.
struct BlockTexts {
  QString frameCaption;
  QString frameTooltip;
  std::array<QString, kCategoryCount> checkTooltips;
  QString descriptionTooltip;
  QString quantityTooltip;
  QString makeTooltip;
  QString makeListPrefix;  // list source names: prefix + suffix ("admanfp")
};

BlockTexts inquiryBlockTexts();
BlockTexts quotationBlockTexts();
BlockTexts purchaseOrderBlockTexts();
BlockTexts invoiceBlockTexts();
