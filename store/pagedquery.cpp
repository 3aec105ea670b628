#include "store/pagedquery.h"

#include "store/connection.h"
#include "store/statement.h"

PagedQuery::PagedQuery(Connection& connection, const QString& sql, const QVariantList& parameters)
    : connection_(connection), sql_(sql), parameters_(parameters) {
  Statement probe(connection_, sql_);
  for (int c = 0; c < probe.columnCount(); ++c) columns_ << probe.columnName(c);
}

int PagedQuery::rowCount() {
  if (!counted_) {
    Statement count(connection_, QStringLiteral("SELECT count(*) FROM (%1)").arg(sql_));
    count.bindAll(parameters_);
    count_ = count.step() ? count.value(0).toInt() : 0;
    counted_ = true;
  }
  return count_;
}

QList<QVariantList> PagedQuery::rows(int first, int count) {
  Statement page(connection_, QStringLiteral("SELECT * FROM (%1) LIMIT ? OFFSET ?").arg(sql_));
  page.bindAll(parameters_);
  page.bind(int(parameters_.size()) + 1, count);
  page.bind(int(parameters_.size()) + 2, first);
  QList<QVariantList> result;
  while (page.step()) {
    QVariantList row;
    for (int c = 0; c < page.columnCount(); ++c) row << page.value(c);
    result << row;
  }
  return result;
}
