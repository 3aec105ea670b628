// Every list read a page at a time, forwards, backwards and by jumps, holds
// exactly the rows and order of one plain sorted read of the whole list, on
// the demo data with rows that sort awkwardly; and its first page comes off
// an index, not from sorting the list.
#include <QRegularExpression>
#include <QtTest>

#include "store/changelog.h"
#include "store/documentchain.h"
#include "store/layout/chaincheck.h"
#include "store/queries/changelogquery.h"
#include "store/queries/documentqueries.h"
#include "store/queries/pagedquery.h"
#include "store/queries/reportqueries.h"
#include "store/queries/valuelist.h"
#include "store/queries/viewqueries.h"
#include "store/rowwriter.h"
#include "store/statement.h"
#include "tests/support/earlierlayout.h"
#include "tests/support/testdatabase.h"
#include "tools/demodata.h"

namespace {

constexpr int kPage = 7;  // small, so that page boundaries fall among ties, nulls and duplicates

struct List {
  QString name;
  SortedQuery query;
};

std::vector<List> everyList() {
  std::vector<List> lists;
  for (const QString& name : viewQueryNames()) lists.push_back({name, viewQuery(name)});
  for (const QString& table : correctedTables()) lists.push_back({table, tableQuery(table)});
  lists.push_back({"change log", changeLogQuery({})});
  lists.push_back({"change log of a table", changeLogQuery({{}, "tinquiry", {}, {}, {}})});
  return lists;
}

// The demo's rows, then clients in three letter cases and none at all, equal
// dates, open statuses in any case, and one contact saved for many inquiries.
void fill(TestDatabase& db) {
  fillDemoData(db.connection(), 60);
  RowWriter inquiries(db.connection(), "tinquiry"), items(db.connection(), "titemdescom"),
      addresses(db.connection(), "taddressbook"), quotes(db.connection(), "tquote");
  const QVariantList clients = {"acme traders", "Acme Traders", "ACME TRADERS", "Bravo", QVariant(), ""};
  const QVariantList statuses = {QVariant(), "NO", "no", "YES", "yes"};
  RowWriter corrections(db.connection(), "tlogineditdata");
  for (const char* login : {"admin", "Admin", "admin"}) corrections.append({login, "2025-05-05", "10:00:00"});
  for (int i = 0; i < 24; ++i) {
    const QString number = QString(i % 2 ? "x-%1" : "X-%1").arg(i, 2, 10, QChar('0'));
    const QVariant client = clients[i % clients.size()];
    inquiries.append(QVariantHash{{"inqnum", number}, {"client", client}, {"inqdate", "2025-05-05"},
                                  {"inqduedate", i % 3 ? QVariant() : QVariant("2025-06-01")}, {"brate", 100 * (i % 4)},
                                  {"quotesendstatus", statuses[i % statuses.size()]}, {"area", i % 2 ? "pune" : "PUNE"}});
    items.append(QVariantHash{{"inqnum", number}, {"itemdes", i % 2 ? "Pump" : "PUMP"}, {"qty", 1}, {"manf", "Vega"}});
    addresses.append(QVariantHash{{"inqnum", number}, {"client", "Acme Traders"}, {"contactperson", "MR. A"}});
    if (i % 4 != 0) continue;
    quotes.append(QVariantHash{{"inqnum", number}, {"quotenum", "q-" + number}, {"client", client},
                               {"quotedate", "2025-05-06"}, {"orderstatus", statuses[i % statuses.size()]}});
    int line = 0;
    for (const char* item : {"Seal", "Seal", "SEAL"})  // a report lists the same row once
      items.append(QVariantHash{{"inqnum", QString("%1/%2").arg(number).arg(++line)}, {"quotenum", "Q-" + number},
                                {"itemdes", item}, {"qty", 2}});
  }
}

QList<QVariantList> rowsOf(Statement& statement) {
  QList<QVariantList> rows;
  while (statement.step()) {
    QVariantList row;
    for (int c = 0; c < statement.columnCount(); ++c) row << statement.value(c);
    rows << row;
  }
  return rows;
}

QString shown(const QVariantList& row) {
  QStringList cells;
  for (const QVariant& v : row) cells << (v.isNull() ? "NULL" : v.toString());
  return cells.join(" | ");
}

// Empty when equal, else where they part.
QString difference(const QList<QVariantList>& actual, const QList<QVariantList>& expected) {
  for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i)
    if (actual.value(i) != expected.value(i))
      return QString("row %1 of %2: %3, expected %4 (of %5)")
          .arg(i)
          .arg(actual.size())
          .arg(shown(actual.value(i)), shown(expected.value(i)))
          .arg(expected.size());
  return {};
}

// Each entry form's drop-down list, with the plain reading of the same values.
struct DropDownSource {
  QString sql;
  QString plain;
};
std::vector<DropDownSource> dropDownSources(Connection& connection) {
  std::vector<DropDownSource> sources;
  for (const char* column : {"inqnum", "client", "area"})
    sources.push_back({documentqueries::distinctValues("tinquiry", column, connection.dialect()),
                       QString("SELECT DISTINCT %1 FROM tinquiry WHERE %1 <> ''").arg(column)});
  sources.push_back({documentqueries::distinctValues("titeminq", "manfp", connection.dialect()),
                     "SELECT DISTINCT manfp FROM titeminq WHERE manfp <> ''"});
  for (const ChainStep& step : chainSteps())
    sources.push_back({openParentsList(Step(&step - &chainSteps().front())),
                       QString("SELECT DISTINCT number FROM topenparent WHERE link = '%1'").arg(step.key)});
  return sources;
}

}  // namespace

class ListOrderTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { fill(db); }
  void everyListReadsAsOneSortedRead();
  void everyFirstPageComesOffAnIndex();
  void everyDropDownListReadsAsOneSortedRead();
  void everyReportReadsAsOneSortedRead();
  void aDatabaseOfTheVersionBeforeGainsTheListsOrders();

 private:
  TestDatabase db;
};

void ListOrderTest::everyListReadsAsOneSortedRead() {
  const std::atomic<bool> never{false};
  for (const List& list : everyList()) {
    auto whole = wholeList(db.connection(), list.query);
    const QList<QVariantList> expected = rowsOf(*whole);
    QVERIFY2(!expected.isEmpty(), qPrintable(list.name));
    PagedQuery paged(db.connection(), list.query);
    const ListShape shape = paged.walk(kPage, never);
    if (list.query.kind == SortedQuery::Kind::Computed) {
      QVERIFY2(difference(shape.computed, expected).isEmpty(), qPrintable(list.name + ": " + difference(shape.computed, expected)));
      continue;
    }
    QCOMPARE(shape.rows, int(expected.size()));
    // The plain read's columns: a list may read a key besides, to be read faster.
    std::vector<qsizetype> shownAt;
    for (const QString& name : whole->columnNames()) shownAt.push_back(paged.columnNames().indexOf(name));
    const auto shown = [&shownAt](const QList<QVariantList>& rows) {
      QList<QVariantList> result;
      for (const QVariantList& row : rows) {
        QVariantList cells;
        for (qsizetype at : shownAt) cells << row.value(at);
        result << cells;
      }
      return result;
    };

    QList<QVariantList> forward = paged.first(kPage);
    for (QList<QVariantList> page = forward; page.size() == kPage; forward << page) page = paged.after(page.last(), kPage);
    QString wrong = difference(shown(forward), expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(list.name + " forward: " + wrong));

    QList<QVariantList> backward = {forward.last()};
    for (QList<QVariantList> page = backward; !page.isEmpty(); backward = page + backward)
      page = paged.before(backward.first(), kPage);
    wrong = difference(shown(backward), expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(list.name + " backward: " + wrong));

    // A jump to any page's start reads that page.
    for (size_t p = 0; p < shape.pageStarts.size(); ++p) {
      wrong = difference(shown(paged.from(shape.pageStarts[p], kPage)), expected.mid(qsizetype(p) * kPage, kPage));
      QVERIFY2(wrong.isEmpty(), qPrintable(QString("%1 page %2: %3").arg(list.name).arg(p).arg(wrong)));
    }
  }
}

// The file engine's plan reads in the list's order, sorting nothing; the
// server, forbidden to sort, still finds a plan.
void ListOrderTest::everyFirstPageComesOffAnIndex() {
  if (testingServer()) db.connection().execute("SET enable_sort = off");
  QStringList sorted;
  const auto check = [&](const QString& name, const QString& sql, const QVariantList& values) {
    Statement plan(db.connection(), (testingServer() ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") + sql);
    plan.bindAll(values);
    QStringList steps;
    while (plan.step()) steps << plan.value(testingServer() ? 0 : 3).toString();
    const QString plain = steps.join("; ");
    const bool fromIndex = testingServer() ? !plain.contains(QRegularExpression("(^|; )\\s*(-> )?\\s*Sort +\\("))
                                           : !plain.contains("TEMP B-TREE FOR ORDER BY") && !plain.contains("TEMP B-TREE FOR DISTINCT");
    if (!fromIndex) sorted << name;
    if (!fromIndex) qWarning("%s: %s", qPrintable(name), qPrintable(plain));
  };
  for (const List& list : everyList()) {
    if (list.query.kind == SortedQuery::Kind::Computed || list.query.latest > 0) continue;  // sums; fifty rows at most
    PagedQuery paged(db.connection(), list.query);
    check(list.name, paged.firstPageText(), paged.firstPageValues(kPage));
  }
  for (const DropDownSource& source : dropDownSources(db.connection()))
    check(source.plain, source.sql, {QString(""), kPage, QString("")});
  if (testingServer()) db.connection().execute("SET enable_sort = on");
  QVERIFY2(sorted.isEmpty(), qPrintable(sorted.join("\n")));
}

void ListOrderTest::everyDropDownListReadsAsOneSortedRead() {
  for (const DropDownSource& source : dropDownSources(db.connection())) {
    Statement sorted(db.connection(), QString("SELECT * FROM (%1) AS v ORDER BY lower(v.%2), v.%2")
                                          .arg(source.plain, source.plain.section(' ', 2, 2)));
    QStringList expected;
    for (const QVariantList& row : rowsOf(sorted)) expected << row.value(0).toString();
    ValueList list(db.connection(), source.sql);
    QStringList read;
    while (!list.atEnd()) read << list.next(kPage);
    QCOMPARE(read, expected);
  }
}

// Each report is read in an index's order, a date's or a client's rows sorted
// at a time and repeats dropped as they pass: the rows of the engine's own
// DISTINCT and whole sort, with none of its memory.
void ListOrderTest::everyReportReadsAsOneSortedRead() {
  Connection& c = db.connection();
  int repeats = 0;
  for (ReportQuery report : {ReportQuery::PendingInquiries, ReportQuery::PendingQuotations, ReportQuery::PendingOrders,
                             ReportQuery::Outstanding}) {
    const QString sql = reportQuery(report, c.dialect());
    Statement whole(c, QString(sql).replace("SELECT * FROM (SELECT ", "SELECT * FROM (SELECT DISTINCT "));
    const QList<QVariantList> expected = rowsOf(whole);
    QVERIFY2(!expected.isEmpty(), qPrintable(sql));
    Statement plain(c, sql);
    repeats += int(rowsOf(plain).size() - expected.size());

    ReportRows rows(c, report, plain.columnNames());
    QList<QVariantList> read;
    for (QVariantList row; rows.next(row);) read << row;
    QVERIFY2(difference(read, expected).isEmpty(), qPrintable(difference(read, expected)));

    if (testingServer()) continue;  // the server sorts in its own memory, not the program's
    Statement plan(c, "EXPLAIN QUERY PLAN " + sql);
    while (plan.step()) QVERIFY2(!plan.value(3).toString().contains(QRegularExpression("B-TREE FOR (ORDER BY|DISTINCT)")), qPrintable(sql));
  }
  QVERIFY(repeats > 0);
}

// Brought up to date, it holds exactly what a new database holds: the check,
// which compares its indexes and triggers with a fresh build, finds nothing.
void ListOrderTest::aDatabaseOfTheVersionBeforeGainsTheListsOrders() {
  TestDatabase earlier;
  fillDemoData(earlier.connection(), 30);
  const qint64 pairs = earlier.count("tinquirymakes");
  QVERIFY(pairs > 0);
  takeBackListOrders(earlier.connection());
  auto upgraded = Connection::open(earlier.path());
  QCOMPARE(earlier.count("tinquirymakes"), pairs);
  const DatabaseCheck check = checkDatabase(*upgraded);
  QVERIFY2(check.sound(), qPrintable((check.brokenChains + check.logProblems + check.notes).join('\n')));
  QVERIFY(check.notes.isEmpty());
}

QTEST_MAIN(ListOrderTest)
#include "tst_listorder.moc"
