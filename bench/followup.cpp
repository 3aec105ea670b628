// bench_followup open DB N              open the follow-up board N times; prints ns to its board painted
// bench_followup raw DB N               the board's aggregate statement on the engine alone, N times; prints ns
// bench_followup cell DB STAGE BUCKET N select the board's cell N times (from another); prints ns to its list painted
// bench_followup cellraw DB STAGE BUCKET N  the cell's list as one statement, its first 200 rows, N times; prints ns
// bench_followup pay DB N               PAYMENT RECEIVED on N unpaid invoices, as the board stores it; prints ns each
// bench_followup save DB N              N SAVEs of a new invoice row; prints ns each
#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <cstdio>

#include "bench/benchapplication.h"
#include "bench/paintwatch.h"
#include "reports/frmfollowup.h"
#include "reports/reportforms.h"
#include "store/connection.h"
#include "store/queries/followup.h"
#include "store/recordset.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "toolkit/formhost.h"

namespace {

// The demo's dates run through 2026; the board is read as of a day after them.
const QDate kToday(2026, 9, 1);

struct Frame {
  QMdiArea area;
  FormHost host;
  explicit Frame(const QString& database) : host(&area, database) {
    area.resize(1400, 1000);
    area.show();
  }
};

int open(const QString& database, int rounds) {
  Frame frame(database);
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    QWidget* form = frame.host.show(QStringLiteral("frmfollowup"));
    auto* board = form->findChild<QTableWidget*>(QStringLiteral("dgboard"));
    PaintWatch watch(board->viewport());
    while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    spent += timer.nsecsElapsed();
    form->findChild<QPushButton*>(QStringLiteral("cmdclose"))->click();
    QApplication::processEvents();
  }
  return printNanoseconds(spent / rounds);
}

int raw(const QString& database, int rounds) {
  auto connection = Connection::open(database);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) {
    const BoardStatement aggregate = boardStatement(kToday);
    Statement sums(*connection, aggregate.sql);
    sums.bindAll(aggregate.parameters);
    while (sums.step()) {
    }
  }
  return printNanoseconds(timer.nsecsElapsed() / rounds);
}

int cell(const QString& database, int stage, int bucket, int rounds) {
  Frame frame(database);
  QWidget* form = frame.host.show(QStringLiteral("frmfollowup"));
  auto* board = form->findChild<QTableWidget*>(QStringLiteral("dgboard"));
  auto* list = form->findChild<QTableView*>(QStringLiteral("dgfollowup"));
  QApplication::processEvents();
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    board->setCurrentCell(stage, (bucket + 1) % (kOverdueCount + 1));
    QApplication::processEvents();
    PaintWatch watch(list->viewport());
    QElapsedTimer timer;
    timer.start();
    board->setCurrentCell(stage, bucket);
    while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    spent += timer.nsecsElapsed();
    QApplication::processEvents();  // the count that follows the first screen
  }
  return printNanoseconds(spent / rounds);
}

int cellRaw(const QString& database, int stage, int bucket, int rounds) {
  auto connection = Connection::open(database);
  const std::optional<Overdue> cellBucket = bucket < kOverdueCount ? std::optional<Overdue>(Overdue(bucket)) : std::nullopt;
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    auto rows = wholeList(*connection, followUpList(FollowUpStage(stage), cellBucket, kToday));
    for (int r = 0; r < 200 && rows->step(); ++r) {
    }
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

int pay(const QString& database, int rounds) {
  auto connection = Connection::open(database);
  connection->setAuthor({QStringLiteral("clerk"), QStringLiteral("bench")});
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    auto unpaid = wholeList(*connection, followUpList(FollowUpStage::Invoices, std::nullopt, kToday));
    if (!unpaid->step()) return 1;
    QVariantHash listed;
    for (int c = 0; c < unpaid->columnCount(); ++c) listed.insert(unpaid->columnName(c), unpaid->value(c));
    unpaid.reset();
    QElapsedTimer timer;
    timer.start();
    recordPayment(*connection, listed.value(QStringLiteral("rowkey")).toLongLong(), listed);
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

int save(const QString& database, int rounds) {
  auto connection = Connection::open(database);
  connection->setAuthor({QStringLiteral("clerk"), QStringLiteral("bench")});
  const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    Transaction write(*connection);
    RecordSet invoice = RecordSet::openForAppend(*connection, QStringLiteral("tinvoice"));
    invoice.addNew();
    invoice.setValues({{"invoicenum", QStringLiteral("B/%1/%2").arg(stamp).arg(i)}, {"client", "BENCH"},
                       {"invoiceamount", 1000}, {"invoiceduedate", kToday}, {"paymentstatus", "NO"}});
    invoice.updateBatch();
    write.commit();
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

}  // namespace

int main(int argc, char* argv[]) {
  BenchApplication bench(argc, argv);
  registerReportForms();
  frmfollowup::setToday(kToday);
  const QStringList args = QApplication::arguments();
  if (args.size() == 4 && args[1] == "open") return open(args[2], args[3].toInt());
  if (args.size() == 4 && args[1] == "raw") return raw(args[2], args[3].toInt());
  if (args.size() == 6 && args[1] == "cell") return cell(args[2], args[3].toInt(), args[4].toInt(), args[5].toInt());
  if (args.size() == 6 && args[1] == "cellraw") return cellRaw(args[2], args[3].toInt(), args[4].toInt(), args[5].toInt());
  if (args.size() == 4 && args[1] == "pay") return pay(args[2], args[3].toInt());
  if (args.size() == 4 && args[1] == "save") return save(args[2], args[3].toInt());
  std::fprintf(stderr, "usage: see the top of bench/followup.cpp\n");
  return 2;
}
