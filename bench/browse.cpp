// A list is named by its form and place: view I, edit I or query I J (tab J of the query form's group I).
// bench_browse first DB LIST N    select the list's tab from its HELP tab N times; prints ns to its grid painted
// bench_browse answer DB LIST N   the same, then a Down key press: ns from the click to the moved row painted,
//                                 while the list is still being counted
// bench_browse jump DB LIST WHERE N  once the list is counted, drag the scroll bar to WHERE (end or middle)
//                                 N times from the top; prints ns to the grid painted there
// bench_browse raw DB LIST N      the list's first screen read straight off its index by the engine, N times; prints ns
// bench_browse bare DB LIST N     the same rows read the same way and shown in a bare Qt grid of the same size,
//                                 N times; prints ns to the grid painted: the limit a list's first screen aims at
// bench_browse sql DB LIST 0       the first screen's statement, its values written in, for an engine's own shell
// bench_browse lists              every list, one a line
// bench_browse memory DB          open the query form; prints the peak resident size in KiB
// bench_browse editmemory DB      open the edit data form on its detailed-description tab; prints the peak in KiB
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <memory>
#include <optional>

#include "bench/benchapplication.h"
#include "bench/paintwatch.h"
#include "browse/browseforms.h"
#include "browse/viewdefinitions.h"
#include "store/connection.h"
#include "store/queries/pagedquery.h"
#include "store/queries/viewqueries.h"
#include "store/statement.h"
#include "toolkit/formhost.h"
#include "toolkit/querytablemodel.h"

namespace {

constexpr int kFirstScreenRows = 200;  // what a grid reads first

// Where a list sits: its form, its definition, and the tab control and index that show it.
struct ListPlace {
  QString form;
  const ViewDefinition* list = nullptr;
  int outer = -1;  // the query form's group
  int index = 0;
};

// From the command line's words at `at`: view I, edit I or query I J.
std::optional<ListPlace> placeOf(const QStringList& words, qsizetype at) {
  const QString kind = words.value(at);
  const int i = words.value(at + 1).toInt();
  if (kind == "view" && i < int(viewDataLists().size())) return ListPlace{"frmviewdata", &viewDataLists()[size_t(i)], -1, i};
  if (kind == "edit" && i < int(editDataLists().size())) return ListPlace{"frmeditdata", &editDataLists()[size_t(i)], -1, i};
  const int j = words.value(at + 2).toInt();
  if (kind == "query" && i < int(queryGroups().size()) && j < int(queryGroups()[size_t(i)].views.size()))
    return ListPlace{"frmquery1", &queryGroups()[size_t(i)].views[size_t(j)], i, j};
  return std::nullopt;
}

SortedQuery queryOf(const ListPlace& place) {
  return place.list->table ? tableQuery(QString::fromLatin1(place.list->table))
                           : viewQuery(QString::fromLatin1(place.list->dataControl));
}

// The list's form open in a frame of an office screen's size, the list's tab control at its HELP tab.
class OpenList {
 public:
  OpenList(const QString& database, const ListPlace& place) : host_(&area_, database), place_(place) {
    area_.resize(1400, 1000);
    area_.show();
    form_ = host_.show(place.form);
    tabs_ = form_->findChild<QTabWidget*>(place.outer < 0 ? QStringLiteral("SSTab1") : QStringLiteral("sstabmain"));
    if (place.outer >= 0) {
      tabs_->setCurrentIndex(place.outer);
      tabs_ = qobject_cast<QTabWidget*>(tabs_->widget(place.outer));
    }
    grid_ = form_->findChild<QTableView*>(QString::fromLatin1(place.list->grid));
    away();
  }
  ~OpenList() {
    form_->findChild<QPushButton*>(QStringLiteral("cmdclose"))->click();
    QApplication::processEvents();
  }

  void away() {
    tabs_->setCurrentIndex(tabs_->count() - 1);
    QApplication::processEvents();
  }
  QTableView* grid() const { return grid_; }
  // The ns from the tab's click to its grid painted.
  qint64 show() {
    PaintWatch watch(grid_->viewport());
    QElapsedTimer timer;
    timer.start();
    tabs_->setCurrentIndex(place_.index);
    painted(watch);
    return timer.nsecsElapsed();
  }
  static void painted(const PaintWatch& watch) {
    while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

 private:
  QMdiArea area_;
  FormHost host_;
  ListPlace place_;
  QWidget* form_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTableView* grid_ = nullptr;
};

int first(const QString& database, const ListPlace& place, int rounds) {
  OpenList list(database, place);
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    spent += list.show();
    QApplication::processEvents();  // the count that follows the first screen
    list.away();
  }
  return printNanoseconds(spent / rounds);
}

int answer(const QString& database, const ListPlace& place, int rounds) {
  OpenList list(database, place);
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    list.show();
    PaintWatch moved(list.grid()->viewport());
    QTest::keyClick(list.grid(), Qt::Key_Down);
    OpenList::painted(moved);
    spent += timer.nsecsElapsed();
    list.away();
  }
  return printNanoseconds(spent / rounds);
}

int jump(const QString& database, const ListPlace& place, bool toEnd, int rounds) {
  OpenList list(database, place);
  list.show();
  auto* model = qobject_cast<QueryTableModel*>(list.grid()->model());
  while (!model->counted()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QApplication::processEvents();
  QScrollBar* bar = list.grid()->verticalScrollBar();
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    bar->setValue(0);
    QApplication::processEvents();
    PaintWatch watch(list.grid()->viewport());
    QElapsedTimer timer;
    timer.start();
    bar->setValue(toEnd ? bar->maximum() : bar->maximum() / 2);
    OpenList::painted(watch);
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

// The same rows as the first screen, read by the engine in one statement straight off the list's index.
template <typename OnRow>
void readFirstPage(Connection& connection, const PagedQuery& paged, OnRow onRow) {
  Statement page(connection, paged.firstPageText());
  page.bindAll(paged.firstPageValues(kFirstScreenRows));
  while (page.step()) onRow(page);
}

int raw(const QString& database, const ListPlace& place, int rounds) {
  auto connection = Connection::open(database);
  const PagedQuery paged(*connection, queryOf(place));
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    readFirstPage(*connection, paged, [](const Statement&) {});
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

// The first screen's limit: the index read above, its rows put into a plain
// item model and painted by a bare grid in a window of the frame's size.
int bare(const QString& database, const ListPlace& place, int rounds) {
  auto connection = Connection::open(database);
  const PagedQuery paged(*connection, queryOf(place));
  QTableView grid;
  grid.resize(1400, 1000);
  grid.show();
  QApplication::processEvents();
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    auto model = std::make_unique<QStandardItemModel>();
    PaintWatch watch(grid.viewport());
    QElapsedTimer timer;
    timer.start();
    readFirstPage(*connection, paged, [&model](const Statement& page) {
      QList<QStandardItem*> row;
      for (int c = 0; c < page.columnCount(); ++c) row << new QStandardItem(page.value(c).toString());
      model->appendRow(row);
    });
    grid.setModel(model.get());
    OpenList::painted(watch);
    spent += timer.nsecsElapsed();
    grid.setModel(nullptr);
  }
  return printNanoseconds(spent / rounds);
}

int sql(const QString& database, const ListPlace& place) {
  auto connection = Connection::open(database);
  const PagedQuery paged(*connection, queryOf(place));
  QString text = paged.firstPageText();
  qsizetype at = 0;  // past the values already written in, which may hold a '?'
  for (const QVariant& value : paged.firstPageValues(kFirstScreenRows)) {
    const QString literal = value.typeId() == QMetaType::QString ? "'" + value.toString().replace("'", "''") + "'" : value.toString();
    at = text.indexOf('?', at);
    text.replace(at, 1, literal);
    at += literal.size();
  }
  std::printf("%s;\n", qPrintable(text));
  return 0;
}

int lists() {
  for (size_t i = 0; i < viewDataLists().size(); ++i) std::printf("view %zu\n", i);
  for (size_t i = 0; i < queryGroups().size(); ++i)
    for (size_t j = 0; j < queryGroups()[i].views.size(); ++j) std::printf("query %zu %zu\n", i, j);
  for (size_t i = 0; i < editDataLists().size(); ++i) std::printf("edit %zu\n", i);
  return 0;
}

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int memory(const QString& database) {
  QMdiArea area;
  area.show();
  FormHost host(&area, database);
  if (!host.show(QStringLiteral("frmquery1"))) return 1;
  QApplication::processEvents();
  std::printf("%ld\n", peakKiB());
  return 0;
}

int editMemory(const QString& database) {
  QMdiArea area;
  area.resize(1400, 1000);
  area.show();
  FormHost host(&area, database);
  QWidget* form = host.show(QStringLiteral("frmeditdata"));
  if (!form) return 1;
  form->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(5);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();  // painted, then counted
  std::printf("%ld\n", peakKiB());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  BenchApplication bench(argc, argv);
  registerBrowseForms();
  const QStringList args = QApplication::arguments();
  if (args.size() == 2 && args[1] == "lists") return lists();
  const std::optional<ListPlace> place = placeOf(args, 3);
  const int rounds = args.last().toInt();
  if (place && args[1] == "first") return first(args[2], *place, rounds);
  if (place && args[1] == "answer") return answer(args[2], *place, rounds);
  if (place && args[1] == "raw") return raw(args[2], *place, rounds);
  if (place && args[1] == "bare") return bare(args[2], *place, rounds);
  if (place && args[1] == "sql") return sql(args[2], *place);
  if (place && args[1] == "jump") return jump(args[2], *place, args[args.size() - 2] == "end", rounds);
  if (args.size() == 3 && args[1] == "memory") return memory(args[2]);
  if (args.size() == 3 && args[1] == "editmemory") return editMemory(args[2]);
  std::fprintf(stderr, "usage: see the top of bench/browse.cpp\n");
  return 2;
}
