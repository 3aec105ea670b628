// The view data and query forms, driven by clicks on their tabs and bars.
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "browse/browseforms.h"
#include "browse/viewdefinitions.h"
#include "store/queries/pagedquery.h"
#include "store/queries/viewqueries.h"
#include "store/statement.h"
#include "tests/support/books.h"
#include "tests/support/clerk.h"
#include "toolkit/datacontrol.h"
#include "toolkit/querytablemodel.h"
#include "toolkit/viewgrid.h"
#include "tools/demodata.h"

namespace {

const QString kUseClose = "Please use CLOSE button at bottom to close this form..";

struct BrowseDesk : Clerk {
  Books books{bench.db()};

  QTabWidget* tabs(const QString& name) { return bench.control<QTabWidget>(form, name); }
  ViewGrid* grid(const QString& name) { return bench.control<ViewGrid>(form, name); }
  DataControl* bar(const QString& name) { return bench.control<DataControl>(form, name); }
  QWidget* frontBar() { return bench.control<QStackedWidget>(form, {})->currentWidget(); }
  // The grid's rows, once counted after the first screen.
  int rowsOf(const QString& gridName) {
    auto* model = qobject_cast<QueryTableModel*>(grid(gridName)->model());
    if (!model) return -1;
    if (!QTest::qWaitFor([model] { return model->counted(); })) return -2;
    return model->rowCount();
  }
  QString cell(const QString& gridName, int row, int column) {
    return grid(gridName)->model()->index(row, column).data().toString();
  }
  QStringList column(const QString& gridName, int column) {
    QStringList values;
    for (int r = 0; r < rowsOf(gridName); ++r) values << cell(gridName, r, column);
    return values;
  }
  void openQueryTab(int outer, int inner) {
    bench.clickTab(tabs("sstabmain"), outer);
    bench.clickTab(qobject_cast<QTabWidget*>(tabs("sstabmain")->widget(outer)), inner);
  }
  void closeByButton() {
    const QString name = form->objectName();
    click("cmdclose");
    QTRY_VERIFY(!isOpen(name));
  }
};

}  // namespace

class BrowseTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerBrowseForms(); }
  void viewFormReadsTheSelectedTabAgain();
  void viewFormKeepsToCompleteChainsAndTrimmedNumbers();
  void queryFormListsOpenStatusesAndTotals();
  void queryFormShowsTheLatestSignIns();
  void queryFormShowsTheFileAsItWasWhenOpened();
  void everyListOpensOnTheDemoData();
  void everyListJoinsThroughIndexes();
  void copyGivesCaptionsAndCells();
};

void BrowseTest::viewFormReadsTheSelectedTabAgain() {
  BrowseDesk d;
  d.books.chain("1", "ALPHA", true, true);
  d.books.chain("2", "BETA", true, true);
  d.open("frmviewdata");
  QCOMPARE(d.form->windowTitle(), QString("VIEW  DATA  FORM"));
  QCOMPARE(d.tabs("SSTab1")->currentIndex(), 6);
  QCOMPARE(d.frontBar(), d.at("cmdview"));

  d.bench.clickTab(d.tabs("SSTab1"), 2);
  QCOMPARE(d.bar("adquote")->caption(), QString(" QUOTATION RECORDS "));
  QCOMPARE(d.frontBar(), d.bar("adquote"));
  QCOMPARE(QApplication::focusWidget(), d.bar("adquote"));
  QCOMPARE(d.column("dgquote", 1), QStringList({"Q-1", "Q-2"}));
  QTest::keyClick(d.bar("adquote"), Qt::Key_Down);  // the first move shows the position
  QCOMPARE(d.bar("adquote")->caption(), QString("2  OF  2"));

  d.books.quote("I-0", "Q-0");  // saved in another window
  d.books.items("I-0", "Q-0");
  QCOMPARE(d.rowsOf("dgquote"), 2);
  d.bench.clickTab(d.tabs("SSTab1"), 6);
  QCOMPARE(d.frontBar(), d.at("cmdview"));
  d.bench.clickTab(d.tabs("SSTab1"), 2);
  QCOMPARE(d.column("dgquote", 1), QStringList({"Q-0", "Q-1", "Q-2"}));
  QCOMPARE(d.bar("adquote")->caption(), QString(" QUOTATION RECORDS "));

  d.prompts.expect(kUseClose, "ALERT!");
  d.bench.clickCloseBox(d.form);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(d.isOpen("frmviewdata"));
  d.closeByButton();
}

void BrowseTest::viewFormKeepsToCompleteChainsAndTrimmedNumbers() {
  BrowseDesk d;
  d.books.chain("1", "ALPHA", true, true);
  d.books.chain("2", "BETA", false, true);  // no invoice yet
  d.books.chain("3", "GAMMA", true, false);  // no address-book row
  d.books.inquiry("i-4 ", "DELTA", {}, 100, "2026-04-01");  // a trailing blank, another letter case
  d.books.items("I-4");
  d.open("frmviewdata");

  d.bench.clickTab(d.tabs("SSTab1"), 0);
  QCOMPARE(d.column("dgall", 2), QStringList({"I-1"}));
  QCOMPARE(d.cell("dgall", 0, 3), QString("01/03/26"));

  d.bench.clickTab(d.tabs("SSTab1"), 1);
  QCOMPARE(d.rowsOf("dginq"), 4);
  QCOMPARE(d.cell("dginq", 0, 0), QString("DELTA"));  // the newest inquiry first
  QCOMPARE(d.cell("dginq", 0, 7), QString("PUMP"));
  d.closeByButton();
}

void BrowseTest::queryFormListsOpenStatusesAndTotals() {
  BrowseDesk d;
  d.open("frmquery1");
  for (int total = 0; total < 4; ++total) {  // nothing open: no total at all
    d.openQueryTab(6, total);
    QCOMPARE(d.rowsOf(d.tabs("sstabtotalprice")->widget(total)->findChild<ViewGrid*>()->objectName()), 1);
  }
  QVERIFY(d.cell("dgtotalinqprice", 0, 0).isEmpty());
  d.closeByButton();

  d.books.inquiry("I-1", "A", {}, 100);
  d.books.inquiry("I-2", "B", "NO", 200);
  d.books.inquiry("I-3", "C", "YES", 400);
  d.books.inquiry("I-4", "D", "yes", 800);
  for (const char* n : {"I-1", "I-2", "I-3", "I-4"}) d.books.items(n);
  d.books.quote("I-3", "Q-3", 1000, "YES");
  d.books.quote("I-4", "Q-4", 2000);
  d.books.order("Q-3", "P-3", 10000, "NO");
  d.books.order({}, "P-9", 20000, "YES");  // an order without its quotation number
  d.books.invoice("P-3", "V-3", 30000, "no");
  d.books.invoice("P-9", "V-9", 40000, "YES");
  d.open("frmquery1");

  d.openQueryTab(0, 4);  // STATUS-NO
  QCOMPARE(d.column("dginqstatus", 2), QStringList({"I-1", "I-2"}));
  QCOMPARE(d.column("dginqstatus", 0), QStringList({"", "NO"}));
  QCOMPARE(d.frontBar(), d.bar("adinqstatus"));
  QCOMPARE(d.bar("adinqstatus")->caption(), QString("STATUS  WISE  INQUIRY"));
  QTest::keyClick(d.bar("adinqstatus"), Qt::Key_End);
  QCOMPARE(d.bar("adinqstatus")->caption(), QString("STATUS  WISE  INQUIRY"));  // never changes

  const QStringList totals = {"300", "2,000", "10,000", "30,000"};  // in the office's digit grouping
  for (int total = 0; total < 4; ++total) {
    d.openQueryTab(6, total);
    auto* grid = d.tabs("sstabtotalprice")->widget(total)->findChild<ViewGrid*>();
    QCOMPARE(d.rowsOf(grid->objectName()), 1);  // computed off the window's thread
    QCOMPARE(d.cell(grid->objectName(), 0, 0), totals[total]);
  }

  d.openQueryTab(2, 1);
  d.bench.clickTab(d.tabs("sstabmain"), 3);
  QCOMPARE(d.tabs("sstabinvoice")->currentIndex(), 5);
  d.bench.clickTab(d.tabs("sstabmain"), 2);
  QCOMPARE(d.tabs("sstabpo")->currentIndex(), 5);  // HELP again, not the tab last used
  QCOMPARE(d.frontBar(), d.at("cmdz"));
  d.closeByButton();
}

void BrowseTest::queryFormShowsTheLatestSignIns() {
  BrowseDesk d;
  for (int day = 1; day <= 28; ++day)
    for (const char* time : {"09:00:00", "14:05:00"})
      d.books.signIn("tloginwork", "ravi", QString("2025-02-%1").arg(day, 2, 10, QChar('0')), time);
  d.books.signIn("tloginwork", "ravi", "2025-02-28", "14:05:00");
  d.books.signIn("tlogineditdata", "admin", "2025-02-28", "14:05:00");
  d.books.signIn("tlogineditdata", "admin", "2025-02-28", "14:05:00");
  d.open("frmquery1");

  d.openQueryTab(5, 0);
  QCOMPARE(d.rowsOf("dgtimescale"), 50);
  QCOMPARE(d.cell("dgtimescale", 0, 0), QString("clerk"));  // today's sign-in of the bench
  QCOMPARE(d.cell("dgtimescale", 1, 1), QString("28/02/25"));
  QCOMPARE(d.cell("dgtimescale", 2, 2), QString("09:00:00"));  // the same sign-in twice is listed once
  QCOMPARE(d.grid("dgtimescale")->toolTip(),
           QString("Name of USER and when he used this software,    date and time in descending order."));

  d.bench.clickTab(d.tabs("sstabtimescale"), 1);
  QCOMPARE(d.column("dgeditdatalogin", 2), QStringList({"2:05 PM", "2:05 PM"}));
  d.bench.clickTab(d.tabs("sstabtimescale"), 2);
  QCOMPARE(d.frontBar(), d.at("cmdz"));
  d.closeByButton();
}

void BrowseTest::queryFormShowsTheFileAsItWasWhenOpened() {
  BrowseDesk d;
  d.books.inquiry("I-1", "ALPHA");
  d.books.items("I-1");
  d.open("frmquery1");
  d.books.inquiry("I-2", "BETA");  // saved while the form is open, before the list is first shown
  d.books.items("I-2");
  d.openQueryTab(0, 0);
  QCOMPARE(d.column("dginqclient", 1), QStringList({"I-1"}));
  QCOMPARE(d.grid("dginqclient")->toolTip(),
           QString("SHOWS RECORDS SORTED BY CLIENT (ASCENDING), THEN BY QUOTE SEND STATUS (ASCENDING), THEN BY INQUIRY "
                   "No. (DESCENDING)"));
  d.closeByButton();

  d.open("frmquery1");
  d.openQueryTab(0, 0);
  QCOMPARE(d.column("dginqclient", 1), QStringList({"I-1", "I-2"}));
  d.closeByButton();
}

// Each list opens with rows, and every date in it reads in the program's pattern.
void BrowseTest::everyListOpensOnTheDemoData() {
  const auto datesAreShown = [](const QAbstractItemModel* model) {
    const QRegularExpression stored("^\\d{4}-\\d\\d-\\d\\d");
    for (int row = 0; row < std::min(model->rowCount(), 20); ++row)
      for (int column = 0; column < model->columnCount(); ++column)
        if (model->index(row, column).data().toString().contains(stored))
          return model->headerData(column, Qt::Horizontal).toString() + ": " + model->index(row, column).data().toString();
    return QString();
  };
  // A description reads whole at the form's own size.
  const auto descriptionIsWhole = [](const QTableView* grid) {
    for (int column = 0; column < grid->model()->columnCount(); ++column)
      if (grid->model()->headerData(column, Qt::Horizontal).toString() == "DESCRIPTION" &&
          grid->columnWidth(column) < static_cast<const QAbstractItemView*>(grid)->sizeHintForColumn(column))
        return false;
    return true;
  };
  BrowseDesk d;
  fillDemoData(d.bench.db().connection(), 40);
  d.books.signIn("tlogineditdata", "admin", "2026-01-05", "10:00:00");
  d.open("frmviewdata");
  for (int tab = 0; tab < 6; ++tab) {
    d.bench.clickTab(d.tabs("SSTab1"), tab);
    auto* grid = d.tabs("SSTab1")->widget(tab)->findChild<ViewGrid*>();
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY2(d.rowsOf(grid->objectName()) > 0, qPrintable(grid->objectName()));
    QVERIFY2(datesAreShown(grid->model()).isEmpty(), qPrintable(grid->objectName() + ": " + datesAreShown(grid->model())));
    QVERIFY2(descriptionIsWhole(grid), qPrintable(grid->objectName()));
  }
  d.closeByButton();

  d.open("frmquery1");
  for (int outer = 0; outer < 7; ++outer) {
    auto* inner = qobject_cast<QTabWidget*>(d.tabs("sstabmain")->widget(outer));
    for (int tab = 0; tab + 1 < inner->count(); ++tab) {
      d.openQueryTab(outer, tab);
      auto* grid = inner->widget(tab)->findChild<ViewGrid*>();
      QVERIFY2(d.rowsOf(grid->objectName()) > 0, qPrintable(grid->objectName()));
      QVERIFY2(datesAreShown(grid->model()).isEmpty(), qPrintable(grid->objectName() + ": " + datesAreShown(grid->model())));
      QVERIFY2(descriptionIsWhole(grid), qPrintable(grid->objectName()));
    }
  }
  d.closeByButton();
}

// A join that scans its second table makes a list quadratic in the file's size.
void BrowseTest::everyListJoinsThroughIndexes() {
  TestDatabase db;
  std::vector<const ViewDefinition*> lists;
  for (const ViewDefinition& list : viewDataLists()) lists.push_back(&list);
  for (const ViewGroup& group : queryGroups())
    for (const ViewDefinition& list : group.views) lists.push_back(&list);
  QCOMPARE(lists.size(), size_t(38));
  for (const ViewDefinition* list : lists) {
    const SortedQuery query = asOf(viewQuery(list->dataControl), takeKeySnapshot(db.connection()));
    Statement plan(db.connection(), "EXPLAIN QUERY PLAN " + query.rows);
    plan.bindAll(query.parameters);
    QStringList tables;  // each table the plan reads, in turn
    while (plan.step())
      if (plan.value(3).toString().contains(QRegularExpression("^(SCAN|SEARCH) TABLE"))) tables << plan.value(3).toString();
    for (qsizetype joined = 1; joined < tables.size(); ++joined)
      QVERIFY2(tables[joined].contains("(<expr>=?") || tables[joined].contains("(rowid=?)"),
               qPrintable(list->dataControl + (": " + tables.join("; "))));
  }
}

void BrowseTest::copyGivesCaptionsAndCells() {
  BrowseDesk d;
  d.books.chain("1", "ALPHA", true, true);
  d.books.chain("2", "BETA", true, true);
  // A tab stored behind the program's back, which refuses one: the copy still keeps the cells apart.
  Statement tabbed(d.bench.db().connection(), "UPDATE taddressbook SET client = ? WHERE inqnum = 'I-2'");
  tabbed.bind(1, "BE\tTA");
  tabbed.step();
  d.open("frmviewdata");
  d.bench.clickTab(d.tabs("SSTab1"), 5);
  ViewGrid* grid = d.grid("dgaddress");
  grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, 2)),
                                 QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(),
           QString("CLIENT\tAREA\tINQUIRY No.\nALPHA\t\tI-1\nBE TA\t\tI-2\n"));
  d.closeByButton();
}

QTEST_MAIN(BrowseTest)
#include "tst_browse.moc"
