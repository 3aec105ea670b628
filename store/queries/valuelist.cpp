#include "store/queries/valuelist.h"

#include "store/queries/pagedquery.h"
#include "store/statement.h"

ValueList::ValueList(Connection& connection, const QString& sql) : connection_(connection), sql_(sql) {}

QStringList ValueList::next(int count) {
  QStringList values;
  if (atEnd_) return values;
  Statement page(connection_, sql_);
  page.bind(1, last_);
  page.bind(2, count);
  page.bind(3, foldedText(last_));
  while (page.step()) values << page.value(0).toString();
  if (!values.isEmpty()) last_ = values.last();
  atEnd_ = values.size() < count;
  return values;
}

void ValueList::restart() {
  last_.clear();
  atEnd_ = false;
}
