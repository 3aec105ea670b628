#include "store/statement.h"

#include "store/connection.h"

Statement::Statement(Connection& connection, const QString& sql) : engine_(connection.session().prepare(sql)) {}

Statement::~Statement() = default;

void Statement::bindAll(const QVariantList& values) {
  for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
}

QStringList Statement::columnNames() const {
  QStringList names;
  for (int c = 0; c < columnCount(); ++c) names << columnName(c);
  return names;
}
