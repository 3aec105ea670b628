#pragma once

#include <QString>
#include <array>

// The seven product categories, in the fixed order of screen lines, item-row
// column groups and combined texts.
struct Category {
  QString suffix;
  QString caption;

  QString flagColumn() const { return suffix; }
  QString makeColumn() const { return QStringLiteral("manf") + suffix; }
  QString quantityColumn() const { return QStringLiteral("qty") + suffix; }
  QString descriptionColumn() const { return QStringLiteral("id") + suffix; }
};

inline constexpr int kCategoryCount = 7;
const std::array<Category, kCategoryCount>& categories();
