// bench_browse tab DB I N     select tab I of the view data form N times, from HELP; prints ns to its grid painted
// bench_browse edit DB I N    the same for tab I of the edit data form
// bench_browse raw DB I N     the same tab's list as one ordered statement, to its first row, N times; prints ns
// bench_browse memory DB      open the query form; prints the peak resident size in KiB
// bench_browse editmemory DB  open the edit data form on its detailed-description tab; prints the peak in KiB
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>

#include "bench/paintwatch.h"
#include "bench/benchapplication.h"
#include "browse/browseforms.h"
#include "browse/viewdefinitions.h"
#include "store/connection.h"
#include "store/statement.h"
#include "store/viewqueries.h"
#include "toolkit/formhost.h"

namespace {

// Notes when the widget has finished painting itself.


void closeForm(QWidget* form) {
  form->findChild<QPushButton*>(QStringLiteral("cmdclose"))->click();
  QApplication::processEvents();
}

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Selects a tab of a form's SSTab1 from its HELP tab, `rounds` times; prints the mean ns to its grid painted.
int tab(const QString& database, const QString& formName, const std::vector<ViewDefinition>& lists, int index, int rounds) {
  QMdiArea area;
  area.resize(1400, 1000);
  area.show();
  FormHost host(&area, database);
  QWidget* form = host.show(formName);
  auto* tabs = form->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  auto* grid = form->findChild<QTableView*>(QString::fromLatin1(lists[size_t(index)].grid));
  QApplication::processEvents();
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    tabs->setCurrentIndex(int(lists.size()));
    QApplication::processEvents();
    PaintWatch watch(grid->viewport());
    QElapsedTimer timer;
    timer.start();
    tabs->setCurrentIndex(index);
    while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    spent += timer.nsecsElapsed();
    QApplication::processEvents();  // the count that follows the first screen
  }
  closeForm(form);
  return printNanoseconds(spent / rounds);
}

int raw(const QString& database, int index, int rounds) {
  auto connection = Connection::open(database);
  const SortedQuery query = viewQuery(QString::fromLatin1(viewDataLists()[size_t(index)].dataControl));
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    auto statement = wholeList(*connection, query);
    if (!statement->step()) return 1;
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
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
  if (args.size() == 5 && args[1] == "tab")
    return tab(args[2], QStringLiteral("frmviewdata"), viewDataLists(), args[3].toInt(), args[4].toInt());
  if (args.size() == 5 && args[1] == "edit")
    return tab(args[2], QStringLiteral("frmeditdata"), editDataLists(), args[3].toInt(), args[4].toInt());
  if (args.size() == 5 && args[1] == "raw") return raw(args[2], args[3].toInt(), args[4].toInt());
  if (args.size() == 3 && args[1] == "memory") return memory(args[2]);
  if (args.size() == 3 && args[1] == "editmemory") return editMemory(args[2]);
  std::fprintf(stderr, "usage: see the top of bench/browse.cpp\n");
  return 2;
}
