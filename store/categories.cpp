#include "store/categories.h"

const std::array<Category, kCategoryCount>& categories() {
  static const std::array<Category, kCategoryCount> all = {{
      {QStringLiteral("p"), QStringLiteral("CATEGORY1")},
      {QStringLiteral("ps"), QStringLiteral("CATEGORY2")},
      {QStringLiteral("sa"), QStringLiteral("CATEGORY3")},
      {QStringLiteral("c"), QStringLiteral("CATEGORY4")},
      {QStringLiteral("cs"), QStringLiteral("CATEGORY5")},
      {QStringLiteral("motor"), QStringLiteral("CATEGORY6")},
      {QStringLiteral("mis"), QStringLiteral("Misc..")},
  }};
  return all;
}
