#include "store/statement.h"

Statement::~Statement() = default;

void Statement::bindAll(const QVariantList& values) {
  for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
}

QStringList Statement::columnNames() const {
  QStringList names;
  for (int c = 0; c < columnCount(); ++c) names << columnName(c);
  return names;
}
