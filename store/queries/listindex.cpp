#include "store/queries/listindex.h"

#include <QCryptographicHash>
#include <QStringList>

#include "store/sqldialect.h"

namespace {
QString quoted(const QString& name) { return '"' + name + '"'; }
}  // namespace

QString ListIndex::name() const {
  QStringList definition = {table, condition, lead};
  for (const SortTerm& term : terms)
    definition << QStringLiteral("%1:%2%3").arg(term.column, term.folded ? "f" : "", term.descending ? "d" : "");
  const QByteArray digest = QCryptographicHash::hash(definition.join('|').toUtf8(), QCryptographicHash::Sha1).toHex();
  return QString::fromLatin1(kListIndexPrefix) + table + '_' + QString::fromLatin1(digest.left(10));
}

QString ListIndex::createStatement(const SqlDialect& dialect) const {
  QStringList columns;
  if (!lead.isEmpty()) columns << lead;
  for (const SortTerm& term : terms) {
    if (term.folded) columns << dialect.orderTerm(QStringLiteral("lower(%1)").arg(quoted(term.column)), term.descending);
    columns << dialect.orderTerm(quoted(term.column), term.descending, term.neverNull);
  }
  return QStringLiteral("CREATE INDEX %1 ON %2 (%3)%4")
      .arg(quoted(name()), quoted(table), columns.join(QStringLiteral(", ")),
           condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition);
}

bool ListIndex::isPrefixOf(const ListIndex& other) const {
  if (table != other.table || condition != other.condition || lead != other.lead || terms.size() > other.terms.size())
    return false;
  for (size_t i = 0; i < terms.size(); ++i)
    if (terms[i].column != other.terms[i].column || terms[i].descending != other.terms[i].descending ||
        terms[i].folded != other.terms[i].folded)
      return false;
  return true;
}
