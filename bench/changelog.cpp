// bench_changelog fill DB N           a new database whose log holds N changes (N invoices "V/000001"...)
// bench_changelog save DB N [nolog]   N SAVEs of an inquiry's three rows; prints ns per SAVE
// bench_changelog chain DB N          N SAVEs each of an inquiry, its quotation, order and invoice; prints ns per SAVE
// bench_changelog droplists DB        drops the indexes the lists are read by
// bench_changelog view DB NUMBER N    the change-log form narrowed to NUMBER, N times; prints ns to its grid painted
// bench_changelog raw DB NUMBER N     the same list as one ordered statement, to its first row, N times; prints ns
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "bench/benchapplication.h"
#include "bench/paintwatch.h"
#include "browse/browseforms.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/layout/newschema.h"
#include "store/queries/changelogquery.h"
#include "store/queries/listindex.h"
#include "store/recordset.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/statement.h"
#include "store/transaction.h"
#include "toolkit/formhost.h"

namespace {

QString invoiceNumber(int i) { return QStringLiteral("V/%1").arg(i, 6, 10, QLatin1Char('0')); }

int fill(const QString& database, int changes) {
  auto connection = Connection::open(database, Connection::OpenMode::CreateNew);
  createSchema(*connection);
  connection->setAuthor({QStringLiteral("clerk"), QStringLiteral("bench")});
  Transaction write(*connection);
  RowWriter invoices(*connection, QStringLiteral("tinvoice"));
  for (int i = 1; i <= changes; ++i)
    invoices.append(QVariantHash{{"invoicenum", invoiceNumber(i)}, {"client", "BENCH"}, {"invoiceamount", i},
                                 {"paymentstatus", "NO"}});
  write.commit();
  return 0;
}

// As an inquiry's SAVE writes: the inquiry, its item row and its summary row, in one transaction.
int save(const QString& database, int rounds, bool withoutLog) {
  switchChangeLogOffForBenchmark(withoutLog);
  auto connection = Connection::open(database);
  connection->setAuthor({QStringLiteral("clerk"), QStringLiteral("bench")});
  const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) {
    const QString number = QStringLiteral("B/%1/%2/%3").arg(stamp).arg(withoutLog).arg(i);
    Transaction write(*connection);
    for (const char* table : {"tinquiry", "titeminq", "titemdescom"}) {
      RecordSet row = RecordSet::openForAppend(*connection, QString::fromLatin1(table));
      row.addNew();
      row.setValues({{"inqnum", number}});
      if (QLatin1String(table) != QLatin1String("titemdescom")) row.setValue(QStringLiteral("client"), "BENCH");
      row.updateBatch();
    }
    write.commit();
  }
  return printNanoseconds(timer.nsecsElapsed() / rounds);
}

// Each document with its item and summary rows, as the four entry forms' SAVEs write them.
int chain(const QString& database, int rounds) {
  auto connection = Connection::open(database);
  connection->setAuthor({QStringLiteral("clerk"), QStringLiteral("bench")});
  const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
  // The document's row, and its number written into the inquiry's summary row (a new one for an inquiry).
  const auto save = [&connection](const QString& table, const QVariantHash& values, const QString& inquiry,
                                  const char* numberColumn) {
    Transaction write(*connection);
    RecordSet row = RecordSet::openForAppend(*connection, table);
    row.addNew();
    row.setValues(values);
    row.updateBatch();
    RecordSet summary = table == QLatin1String("tinquiry")
                            ? RecordSet::openForAppend(*connection, QStringLiteral("titemdescom"))
                            : RecordSet::openWhere(*connection, QStringLiteral("titemdescom"), QStringLiteral("inqnum = ?"), {inquiry});
    if (table == QLatin1String("tinquiry")) summary.addNew();
    summary.setValue(QString::fromLatin1(numberColumn), values.value(QString::fromLatin1(numberColumn)));
    summary.updateBatch();
    write.commit();
  };
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) {
    const QString n = QStringLiteral("%1/%2").arg(stamp).arg(i);
    const QString inquiry = "I/" + n;
    save(QStringLiteral("tinquiry"), {{"inqnum", inquiry}, {"client", "BENCH"}}, inquiry, "inqnum");
    save(QStringLiteral("tquote"), {{"inqnum", inquiry}, {"quotenum", "Q/" + n}, {"client", "BENCH"}}, inquiry, "quotenum");
    save(QStringLiteral("tpo"), {{"quotenum", "Q/" + n}, {"ponum", "P/" + n}, {"client", "BENCH"}}, inquiry, "ponum");
    save(QStringLiteral("tinvoice"), {{"ponum", "P/" + n}, {"invoicenum", "V/" + n}, {"client", "BENCH"}}, inquiry,
         "invoicenum");
  }
  return printNanoseconds(timer.nsecsElapsed() / (rounds * 4));
}

int dropLists(const QString& database) {
  auto connection = Connection::open(database);
  for (const QString& name : connection->dialect().indexNames(*connection))
    if (name.startsWith(QLatin1String(kListIndexPrefix))) connection->execute(QStringLiteral("DROP INDEX \"%1\"").arg(name));
  return 0;
}

int view(const QString& database, const QString& number, int rounds) {
  QMdiArea area;
  area.resize(1400, 1000);
  area.show();
  FormHost host(&area, database);
  QWidget* form = host.show(QStringLiteral("frmchangelog"));
  auto* box = form->findChild<QLineEdit*>(QStringLiteral("txtnumber"));
  auto* grid = form->findChild<QTableView*>(QStringLiteral("dgchangelog"));
  box->setText(number);
  QApplication::processEvents();
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    PaintWatch watch(grid->viewport());
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(box, Qt::Key_Return);
    while (!watch.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    spent += timer.nsecsElapsed();
    QApplication::processEvents();
  }
  return printNanoseconds(spent / rounds);
}

int raw(const QString& database, const QString& number, int rounds) {
  auto connection = Connection::open(database);
  qint64 spent = 0;
  for (int i = 0; i < rounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    auto statement = wholeList(*connection, changeLogQuery({number, {}, {}, {}, {}}));
    if (!statement->step()) return 1;
    spent += timer.nsecsElapsed();
  }
  return printNanoseconds(spent / rounds);
}

}  // namespace

int main(int argc, char* argv[]) {
  BenchApplication bench(argc, argv);
  registerBrowseForms();
  const QStringList args = QApplication::arguments();
  if (args.size() == 4 && args[1] == "fill") return fill(args[2], args[3].toInt());
  if ((args.size() == 4 || args.size() == 5) && args[1] == "save")
    return save(args[2], args[3].toInt(), args.size() == 5 && args[4] == "nolog");
  if (args.size() == 4 && args[1] == "chain") return chain(args[2], args[3].toInt());
  if (args.size() == 3 && args[1] == "droplists") return dropLists(args[2]);
  if (args.size() == 5 && args[1] == "view") return view(args[2], args[3], args[4].toInt());
  if (args.size() == 5 && args[1] == "raw") return raw(args[2], args[3], args[4].toInt());
  std::fprintf(stderr, "usage: see the top of bench/changelog.cpp\n");
  return 2;
}
