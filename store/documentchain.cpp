#include "store/documentchain.h"

#include <QStringList>

#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

// Numbers match trimmed and case-folded, through the expression indexes.
QString sameNumber(const QString& left, const QString& right) {
  return QStringLiteral("lower(trim(%1)) = lower(trim(%2))").arg(left, right);
}

QString quoted(const QString& identifier) { return '"' + identifier + '"'; }

QString noChildNames(const ChainStep& s, const QString& number) {
  return QStringLiteral("NOT EXISTS (SELECT 1 FROM %1 c WHERE %2)")
      .arg(quoted(s.childTable), sameNumber("c." + quoted(s.childColumn), number));
}

// Statements run by the triggers of one step.
QString parentKey(const ChainStep& s) { return quoted(SqlDialect::rowKey(tableNamed(s.parentTable))); }

QString addIfOpen(const SqlDialect& dialect, const ChainStep& s, const QString& row) {
  const QString number = row + '.' + quoted(s.parentNumber);
  return dialect.insertSkippingKnown(QStringLiteral("INTO topenparent (link, parentrowid, number) SELECT '%1', %2.%3, %4 "
                                                    "WHERE trim(coalesce(%4, '')) <> '' AND %5")
                                         .arg(s.key, row, parentKey(s), number, noChildNames(s, number))) +
         ';';
}

QString closeParentsOf(const ChainStep& s, const QString& childNumber) {
  return QStringLiteral("DELETE FROM topenparent WHERE link = '%1' AND parentrowid IN (SELECT p.%2 FROM %3 p WHERE %4);")
      .arg(s.key, parentKey(s), quoted(s.parentTable), sameNumber("p." + quoted(s.parentNumber), childNumber));
}

QString reopenParentsOf(const SqlDialect& dialect, const ChainStep& s, const QString& childNumber) {
  const QString number = "p." + quoted(s.parentNumber);
  return dialect.insertSkippingKnown(QStringLiteral("INTO topenparent (link, parentrowid, number) SELECT '%1', p.%2, %3 "
                                                    "FROM %4 p WHERE %5 AND trim(%3) <> '' AND %6")
                                         .arg(s.key, parentKey(s), number, quoted(s.parentTable),
                                              sameNumber(number, childNumber), noChildNames(s, childNumber))) +
         ';';
}

QString dropRow(const ChainStep& s) {
  return QStringLiteral("DELETE FROM topenparent WHERE link = '%1' AND parentrowid = old.%2;").arg(s.key, parentKey(s));
}

void createTriggers(Connection& connection, const ChainStep& s) {
  const SqlDialect& dialect = connection.dialect();
  const QString parent = quoted(s.parentTable), child = quoted(s.childTable);
  const QString childNumber = QStringLiteral("%1.") + quoted(s.childColumn);
  const QList<QPair<QString, QString>> triggers = {
      {QStringLiteral("AFTER INSERT ON %1").arg(parent), addIfOpen(dialect, s, "new")},
      {QStringLiteral("AFTER UPDATE OF %1 ON %2").arg(quoted(s.parentNumber), parent),
       dropRow(s) + addIfOpen(dialect, s, "new")},
      {QStringLiteral("AFTER DELETE ON %1").arg(parent), dropRow(s)},
      {QStringLiteral("AFTER INSERT ON %1").arg(child), closeParentsOf(s, childNumber.arg("new"))},
      {QStringLiteral("AFTER UPDATE OF %1 ON %2").arg(quoted(s.childColumn), child),
       reopenParentsOf(dialect, s, childNumber.arg("old")) + closeParentsOf(s, childNumber.arg("new"))},
      {QStringLiteral("AFTER DELETE ON %1").arg(child), reopenParentsOf(dialect, s, childNumber.arg("old"))},
  };
  int n = 0;
  for (const auto& [when, body] : triggers)
    for (const QString& statement : dialect.createTrigger(QStringLiteral("open_%1_%2").arg(s.key).arg(++n), when, body))
      connection.execute(statement);
}

}  // namespace

const std::vector<ChainStep>& chainSteps() {
  static const std::vector<ChainStep> steps = {
      {"tinquiry", "inqnum", "tquote", "inqnum", "quotesendstatus", "quotation"},
      {"tquote", "quotenum", "tpo", "quotenum", "orderstatus", "order"},
      {"tpo", "ponum", "tinvoice", "ponum", "orderexecutionstatus", "invoice"},
      {"tinquiry", "inqnum", "taddressbook", "inqnum", "", "addressbook"},
  };
  return steps;
}

const ChainStep& chainStep(Step step) { return chainSteps()[size_t(step)]; }

void createOpenParentsIndex(Connection& connection) {
  connection.execute(QStringLiteral("DROP INDEX IF EXISTS ix_topenparent_list"));
  connection.execute(QStringLiteral("CREATE INDEX ix_topenparent_list ON topenparent (link, lower(number), number)"));
}

bool isOpenParent(Connection& connection, Step step, const QString& number) {
  const ChainStep& s = chainStep(step);
  Statement open(connection, QStringLiteral("SELECT 1 FROM %1 p WHERE %2 AND %3 LIMIT 1")
                                 .arg(quoted(s.parentTable), sameNumber("p." + quoted(s.parentNumber), "?1"),
                                      noChildNames(s, "p." + quoted(s.parentNumber))));
  open.bind(1, number);
  return open.step();
}

bool markParentAnswered(Connection& connection, Step step, const QString& number) {
  const ChainStep& s = chainStep(step);
  const Table& parent = tableNamed(s.parentTable);
  const int status = parent.columnIndex(s.statusColumn);
  if (status < 0) return false;  // a step whose parent keeps no status
  // The rows as they were, for the change log.
  std::vector<std::pair<qint64, QVariantList>> rows;
  Statement read(connection, QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                 .arg(SqlDialect::keyAndColumns(parent), quoted(s.parentTable),
                                      sameNumber(quoted(s.parentNumber), "?1")));
  read.bind(1, number);
  while (read.step()) {
    QVariantList values;
    for (int c = 1; c < read.columnCount(); ++c) values << read.value(c);
    rows.emplace_back(read.value(0).toLongLong(), values);
  }
  LoggedWrite logged(connection);
  Statement mark(connection, QStringLiteral("UPDATE %1 SET %2 = 'YES' WHERE %3 = ?")
                                 .arg(quoted(s.parentTable), quoted(s.statusColumn), parentKey(s)));
  for (auto& [rowKey, values] : rows) {
    mark.reset();
    mark.bind(1, rowKey);
    mark.step();
    const QVariant before = values[status];
    values[status] = QStringLiteral("YES");
    logChangedRow(connection, parent, rowKey, values, {{s.statusColumn, before, values[status]}});
  }
  logged.done();
  return !rows.empty();
}

bool numberTaken(Connection& connection, const QString& table, const QString& column, const QString& number) {
  tableNamed(table).column(column);  // refuses names that are not in the schema
  Statement taken(connection, QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1").arg(quoted(table), sameNumber(quoted(column), "?1")));
  taken.bind(1, number);
  return taken.step();
}

void createOpenDocumentTriggers(Connection& connection) {
  for (const ChainStep& s : chainSteps()) createTriggers(connection, s);
}

void createOpenDocumentBookkeeping(Connection& connection) {
  connection.execute(QStringLiteral("CREATE TABLE topenparent (link TEXT NOT NULL, parentrowid BIGINT NOT NULL, "
                                    "number %1 NOT NULL, PRIMARY KEY (link, parentrowid))")
                         .arg(connection.dialect().textType()));
  createOpenParentsIndex(connection);
  createOpenDocumentTriggers(connection);
  for (const ChainStep& s : chainSteps()) {
    connection.execute(QStringLiteral("INSERT INTO topenparent (link, parentrowid, number) SELECT '%1', p.%2, %3 "
                                      "FROM %4 p WHERE trim(coalesce(%3, '')) <> '' AND %5")
                           .arg(s.key, parentKey(s), "p." + quoted(s.parentNumber), quoted(s.parentTable),
                                noChildNames(s, "p." + quoted(s.parentNumber))));
  }
}
