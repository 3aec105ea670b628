// bench_reports invoices DB N        a database whose outstanding report has N rows
// bench_reports fill DB OUT          the outstanding report: query and fill; prints ns
// bench_reports xlsxwriter DB OUT    the same query, the same cells written by libxlsxwriter; prints ns
// bench_reports query DB K           run report K (0..3) to its last row; prints ns
// bench_reports peak DB K OUT        report K filled into OUT; prints the process's peak memory in KB
// bench_reports sql K                print report K's query text
#include <sys/resource.h>

#include <xlsxwriter.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "reports/reportdefinitions.h"
#include "reports/reportform.h"
#include "reports/workbookfiller.h"
#include "store/connection.h"
#include "store/layout/newschema.h"
#include "store/queries/reportqueries.h"
#include "store/rowwriter.h"
#include "store/schema.h"
#include "store/sqldialect.h"
#include "store/transaction.h"

namespace {

const ReportDefinition& outstanding() { return reportDefinitions().back(); }

QStringList fieldsOf(const ReportDefinition& report) {
  QStringList fields;
  for (const ReportColumn& column : report.columns) fields << QString::fromLatin1(column.field);
  return fields;
}

int invoices(const QString& path, int count) {
  auto connection = Connection::open(path, Connection::OpenMode::CreateNew);
  createSchema(*connection);
  Transaction all(*connection);
  RowWriter rows(*connection, QStringLiteral("tinvoice"));
  for (int i = 0; i < count; ++i)
    rows.append(QVariantHash{{"ponum", QStringLiteral("PO/%1").arg(i)}, {"client", QStringLiteral("CLIENT %1").arg(i % 97)},
                             {"invoicenum", QStringLiteral("INV/%1").arg(i)}, {"invoicedate", QDate(2024, 1, 1).addDays(i % 700)},
                             {"invoiceduedate", QDate(2024, 2, 1).addDays(i % 700)}, {"invoiceamount", 1000 + i},
                             {"paymentstatus", "NO"}, {"reason", "AWAITING CHEQUE"}});
  all.commit();
  return 0;
}

WorkbookFiller::Result fillReport(const QString& database, const ReportDefinition& report, const QString& out) {
  auto connection = Connection::open(database);
  ReportRows records(*connection, report.query, fieldsOf(report));
  std::vector<bool> dates;
  for (const ReportColumn& column : report.columns) dates.push_back(column.isDate());
  return WorkbookFiller(QDir(reportTemplateFolder()).filePath(QString::fromLatin1(report.templateFile)), dates)
      .write(out, [&records](QVariantList& values) { return records.next(values); }, [](int) { return true; });
}

int fill(const QString& database, const QString& out) {
  QElapsedTimer timer;
  timer.start();
  fillReport(database, outstanding(), out);
  std::printf("%lld\n", static_cast<long long>(timer.nsecsElapsed()));
  return 0;
}

int peak(const QString& database, int report, const QString& out) {
  fillReport(database, reportDefinitions()[size_t(report)], out);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}

int xlsxwriter(const QString& database, const QString& out) {
  QElapsedTimer timer;
  timer.start();
  auto connection = Connection::open(database);
  ReportRows records(*connection, outstanding().query, fieldsOf(outstanding()));
  lxw_workbook* workbook = workbook_new(QFile::encodeName(out).constData());
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
  lxw_format* date = workbook_add_format(workbook);
  format_set_num_format(date, "dd/mm/yy");
  QVariantList record;
  for (lxw_row_t row = 2; records.next(record); ++row) {
    worksheet_write_number(sheet, row, 0, row - 1, nullptr);
    for (qsizetype i = 0; i < record.size(); ++i) {
      const QVariant& value = record[i];
      const lxw_col_t column = lxw_col_t(i + 1);
      if (value.isNull()) continue;
      if (outstanding().columns[size_t(i)].isDate()) {
        const QDate d = QDate::fromString(value.toString(), Qt::ISODate);
        lxw_datetime when = {d.year(), d.month(), d.day(), 0, 0, 0};
        worksheet_write_datetime(sheet, row, column, &when, date);
      } else if (value.typeId() == QMetaType::LongLong) {
        worksheet_write_number(sheet, row, column, double(value.toLongLong()), nullptr);
      } else {
        worksheet_write_string(sheet, row, column, value.toString().toUtf8().constData(), nullptr);
      }
    }
  }
  workbook_close(workbook);
  std::printf("%lld\n", static_cast<long long>(timer.nsecsElapsed()));
  return 0;
}

int query(const QString& database, int report) {
  auto connection = Connection::open(database);
  QElapsedTimer timer;
  timer.start();
  const ReportDefinition& definition = reportDefinitions()[size_t(report)];
  ReportRows records(*connection, definition.query, fieldsOf(definition));
  QVariantList record;
  while (records.next(record)) {
  }
  std::printf("%lld\n", static_cast<long long>(timer.nsecsElapsed()));
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() == 4 && a[1] == "invoices") return invoices(a[2], a[3].toInt());
  if (a.size() == 4 && a[1] == "fill") return fill(a[2], a[3]);
  if (a.size() == 4 && a[1] == "xlsxwriter") return xlsxwriter(a[2], a[3]);
  if (a.size() == 4 && a[1] == "query") return query(a[2], a[3].toInt());
  if (a.size() == 5 && a[1] == "peak") return peak(a[2], a[3].toInt(), a[4]);
  if (a.size() == 3 && a[1] == "sql") {
    std::printf("%s;\n", qPrintable(reportQuery(reportDefinitions()[size_t(a[2].toInt())].query, SqlDialect::of(EngineKind::File))));
    return 0;
  }
  std::fprintf(stderr, "usage: see the top of bench/reports.cpp\n");
  return 2;
}
