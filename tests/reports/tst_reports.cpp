// The follow-up reports: what each lists, the workbook it fills, templates as
// an office edits them or breaks them, and the report forms.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include "reports/reportdefinitions.h"
#include "reports/reportform.h"
#include "reports/reportforms.h"
#include "reports/workbookfiller.h"
#include "store/queries/reportqueries.h"
#include "store/rowwriter.h"
#include "store/transaction.h"
#include "tests/support/filemode.h"
#include "tests/support/formbench.h"
#include "tests/support/recordingviewer.h"
#include "tests/support/scriptedprompter.h"
#include "tests/support/workbookreader.h"
#include "toolkit/fileviewer.h"
#include "toolkit/refusal.h"
#include "toolkit/titlewidth.h"
#include "tools/demodata.h"

namespace {

void add(TestDatabase& db, const char* table, const QVariantHash& row) { RowWriter(db.connection(), table).append(row); }

// Documents at every stage, numbers in other letter case and with blanks where
// the office typed them so.
void fillOffice(TestDatabase& db) {
  add(db, "tinquiry", {{"inqnum", "I-1"}, {"client", "ALPHA"}, {"area", "PUNE"}, {"inqdate", "2002-03-05"}});
  add(db, "tinquiry", {{"inqnum", "I-2"}, {"client", "BETA"}, {"inqdate", "2002-03-01"}});
  add(db, "tinquiry", {{"inqnum", "I-3"}, {"client", "GAMMA"}, {"inqdate", "2002-03-07"}});  // no summary row
  add(db, "tinquiry", {{"inqnum", "I-4"}, {"client", "DELTA"}, {"inqdate", "2002-03-09"}, {"inqduedate", "2002-04-01"}});
  add(db, "titemdescom", {{"inqnum", "I-1"}, {"itemdes", "  PUMP(2)"}, {"qty", 2}, {"manf", "  KSB"}});
  add(db, "titemdescom", {{"inqnum", "I-2"}, {"quotenum", "Q-2"}, {"itemdes", "  SEAL(1)"}, {"qty", 1}});
  add(db, "titemdescom", {{"inqnum", "i-4 "}, {"itemdes", "  MOTOR(1)"}, {"qty", 1}, {"manf", "  ABB"}});
  add(db, "titemdescom", {{"inqnum", "I-8"}, {"ponum", "po-1"}, {"itemdes", "  VALVE(3)"}, {"qty", 3}});
  add(db, "titemdescom", {{"inqnum", "I-9"}, {"ponum", "PO-2"}, {"itemdes", "  GAUGE(1)"}, {"qty", 1}});
  add(db, "titemdescom", {{"inqnum", "I-10"}, {"ponum", "PO-3"}, {"itemdes", "  BOLT(9)"}, {"qty", 9}});
  add(db, "tquote", {{"inqnum", "I-2"}, {"quotenum", "Q-2"}, {"client", "BETA"}, {"quotedate", "2002-03-02"}});
  add(db, "tquote", {{"quotenum", "Q-NONE"}});  // names no inquiry: hides nothing
  add(db, "taddressbook", {{"inqnum", "i-2"}, {"contactperson", "MR. A"}, {"telephonelandline", "020/1"}});
  add(db, "tpo", {{"ponum", "PO-1"}, {"client", "EPSILON"}, {"podate", "2002-02-01"}, {"povalue", 5000}});
  add(db, "tpo", {{"ponum", "PO-2"}, {"client", "ZETA"}, {"podate", "2002-02-05"}, {"orderexecutionstatus", "no"}});
  add(db, "tpo", {{"ponum", "PO-3"}, {"client", "ETA"}, {"podate", "2002-02-07"}, {"orderexecutionstatus", "YES"}});
  add(db, "tinvoice", {{"ponum", "PO-2"}, {"invoicenum", "INV-2"}, {"client", "ZETA"}, {"invoicedate", "2002-03-05"},
                       {"invoiceduedate", "2002-04-05"}, {"invoiceamount", 700}, {"paymentstatus", "no"}});
  add(db, "tinvoice", {{"ponum", "PO-3"}, {"invoicenum", "INV-3"}, {"client", "ETA"}});  // never given a status
  add(db, "tinvoice", {{"ponum", "PO-X"}, {"invoicenum", "INV-4"}, {"client", "ALPHA"}, {"paymentstatus", "NO"}});
}

// The first two fields each report lists.
QStringList reportFields(ReportQuery report) {
  for (const ReportDefinition& d : reportDefinitions())
    if (d.query == report) return {d.columns[0].field, d.columns[1].field};
  return {};
}

QStringList firstFields(Connection& connection, ReportQuery report) {
  ReportRows rows(connection, report, reportFields(report));
  QStringList first;
  QVariantList values;
  while (rows.next(values)) first << values.value(0).toString() + "/" + values.value(1).toString();
  return first;
}

int serialOf(QDate day) { return int(day.toJulianDay() - QDate(1899, 12, 30).toJulianDay()); }

// Runs a small python script on the given files (openpyxl edits a template
// as an office would; zipfile builds broken workbooks).
bool python(const QString& script, const QStringList& arguments) {
  QProcess run;
  run.start("/usr/bin/python3", QStringList{"-c", script} + arguments);
  return run.waitForFinished(60000) && run.exitCode() == 0;
}

struct ReportDesk {
  FormBench bench;
  ScriptedPrompter prompts;
  RecordingViewer viewer;
  ReportDesk() { fillOffice(bench.db()); }
  QString generate(const char* form) {
    QWidget* shown = bench.show(form);
    bench.click(shown->findChild<QPushButton*>("Command1"));
    return viewer.shown.value(viewer.shown.size() - 1);
  }
};

}  // namespace

class ReportsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { registerReportForms(); }
  void reportsListTheOpenBusiness();
  void workbookHoldsTheRecordsAsTheirKinds();
  void editedTemplateKeepsItsChanges();
  void brokenTemplatesAreRefusedCleanly();
  void printoutsFitTheirTextAndGroupAmounts();
  void reportFilesAreTheirOwnersAlone();
  void aLongReportIsWrittenAsItIsRead();
  void longReportShowsItsWholeTitleAndCancels();
  void formsCloseOnlyWithTheirCloseButton();
  void printoutsToLookAt();
};

void ReportsTest::reportsListTheOpenBusiness() {
  TestDatabase db;
  // Without any child documents at all every open document is listed.
  add(db, "tinquiry", {{"inqnum", "I-1"}, {"inqdate", "2002-03-05"}});
  add(db, "titemdescom", {{"inqnum", "I-1"}});
  add(db, "tpo", {{"ponum", "PO-1"}});
  add(db, "titemdescom", {{"inqnum", "I-2"}, {"ponum", "PO-1"}});
  QCOMPARE(firstFields(db.connection(), ReportQuery::PendingInquiries), QStringList({"I-1/"}));
  QCOMPARE(firstFields(db.connection(), ReportQuery::PendingOrders), QStringList({"/PO-1"}));

  TestDatabase office;
  fillOffice(office);
  Connection& c = office.connection();
  QCOMPARE(firstFields(c, ReportQuery::PendingInquiries), QStringList({"I-4/DELTA", "I-1/ALPHA"}));
  QCOMPARE(firstFields(c, ReportQuery::PendingQuotations), QStringList({"Q-2/BETA"}));
  QCOMPARE(firstFields(c, ReportQuery::PendingOrders), QStringList({"ZETA/PO-2", "EPSILON/PO-1"}));
  QCOMPARE(firstFields(c, ReportQuery::Outstanding), QStringList({"ALPHA/INV-4", "ZETA/INV-2"}));
}

void ReportsTest::workbookHoldsTheRecordsAsTheirKinds() {
  ReportDesk d;
  const QString path = d.generate("frmpendinginquiryrpt");
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QVERIFY(path.startsWith(d.bench.db().folder() + "/reports/pendinginquiryreport-"));
  QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

  const WorkbookContent own = readWorkbook(path);
  QVERIFY2(own.error.isEmpty(), qPrintable(own.error));
  QCOMPARE(own.cells["B2"].value, QString("INQUIRY No."));  // the template's headings stay
  QCOMPARE(own.cells["A3"].value + own.cells["A4"].value, QString("12"));
  QCOMPARE(own.cells["B3"].value + "|" + own.cells["C3"].value + "|" + own.cells["G3"].value,
           QString("I-4|DELTA|  MOTOR(1)"));
  QVERIFY(own.cells["H3"].kind == SheetCell::Kind::Number && own.cells["H3"].value == "1");
  QCOMPARE(own.cells["E4"].value, QString::number(serialOf(QDate(2002, 3, 5))));
  QCOMPARE(own.cells["E4"].numberFormat, QString("dd/mm/yy"));
  QVERIFY(!own.cells.contains("F4") && !own.cells.contains("D3"));  // no due date, no area: empty cells
  QCOMPARE(own.dimension, QString("A1:I4"));

  QString error;
  const QMap<QString, QString> other = readWithOpenpyxl(path, &error);
  QVERIFY2(error.isEmpty(), qPrintable(error));
  QCOMPARE(other["A3"], QString("n:1"));
  QCOMPARE(other["E4"], QString("d:2002-03-05 fmt:dd/mm/yy"));  // shows 05/03/02, sorts as a date
  QCOMPARE(other["I4"], QString("s:  KSB"));
  QCOMPARE(other["H4"], QString("n:2"));
  QVERIFY(!other.contains("F4"));

  // Every report opens cleanly in the other reader, first record first.
  const QList<QPair<const char*, QString>> firsts = {
      {"frmpendingquoterpt", "s:Q-2"}, {"frmpoexerpt", "s:ZETA"}, {"frmoutstandingrpt", "s:ALPHA"}};
  for (const auto& [form, first] : firsts) {
    const QMap<QString, QString> cells = readWithOpenpyxl(d.generate(form), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(cells["B3"], first);
  }

  const QString again = d.generate("frmpendinginquiryrpt");  // a new file each time; the template is untouched
  QVERIFY(again != path && QFile::exists(path));
  QVERIFY(!readWorkbook(QDir(reportTemplateFolder()).filePath("pendinginquiryreport.xlsx")).cells.contains("A3"));
}

void ReportsTest::editedTemplateKeepsItsChanges() {
  QTemporaryDir templates;
  const QString edited = templates.filePath("outstandingreport.xlsx");
  QVERIFY(QFile::copy(QDir(reportTemplateFolder()).filePath("outstandingreport.xlsx"), edited));
  // As an office would: a new title, a money format on the amount column, a
  // formatted empty first row, saved by another program (shared strings).
  QVERIFY(python("import openpyxl, sys\n"
                 "wb = openpyxl.load_workbook(sys.argv[1]); ws = wb.active\n"
                 "ws['A1'] = 'SHARMA ENGINEERING: DUES'\n"
                 "ws['F3'].number_format = '#,##0.00 \"Rs\"'\n"
                 "ws['G3'].number_format = '@'\n"
                 "wb.save(sys.argv[1])\n",
                 {edited}));
  const QByteArray shippedFolder = qgetenv("VANTORA_TEMPLATES");
  qputenv("VANTORA_TEMPLATES", templates.path().toUtf8());
  ReportDesk d;
  const QString path = d.generate("frmoutstandingrpt");
  qputenv("VANTORA_TEMPLATES", shippedFolder);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  const WorkbookContent report = readWorkbook(path);
  QCOMPARE(report.cells["A1"].value, QString("SHARMA ENGINEERING: DUES"));
  QCOMPARE(report.cells["F4"].value + " " + report.cells["F4"].numberFormat, QString("700 #,##0.00 \"Rs\""));
  QCOMPARE(report.cells["B3"].value, QString("ALPHA"));
  QCOMPARE(report.cells["G4"].numberFormat, QString("builtin 49"));  // the text format of the first free row
  QCOMPARE(report.cells["E4"].numberFormat, QString("dd/mm/yy"));
  QString error;
  QCOMPARE(readWithOpenpyxl(path, &error)["A1"], QString("s:SHARMA ENGINEERING: DUES"));
  QVERIFY2(error.isEmpty(), qPrintable(error));
}

void ReportsTest::brokenTemplatesAreRefusedCleanly() {
  QTemporaryDir dir;
  const QString shipped = QDir(reportTemplateFolder()).filePath("outstandingreport.xlsx");
  QFile notZip(dir.filePath("notzip.xlsx"));
  QVERIFY(notZip.open(QIODevice::WriteOnly));
  notZip.write("this is not a workbook");
  notZip.close();
  QVERIFY(python("import zipfile, sys\n"
                 "src = zipfile.ZipFile(sys.argv[1])\n"
                 "def copy(path, skip=None, broken=None):\n"
                 "    with zipfile.ZipFile(path, 'w') as out:\n"
                 "        for name in src.namelist():\n"
                 "            if name == skip: continue\n"
                 "            out.writestr(name, b'<worksheet><sheetData>' if name == broken else src.read(name))\n"
                 "copy(sys.argv[2], skip='xl/worksheets/sheet1.xml')\n"
                 "copy(sys.argv[3], broken='xl/worksheets/sheet1.xml')\n"
                 "copy(sys.argv[4], broken='xl/styles.xml')\n",
                 {shipped, dir.filePath("nosheet.xlsx"), dir.filePath("brokenxml.xlsx"), dir.filePath("brokenstyles.xlsx")}));

  const QList<QPair<QString, QString>> cases = {{"notzip.xlsx", "not a spreadsheet workbook"},
                                                {"nosheet.xlsx", "missing"},
                                                {"brokenxml.xlsx", "not readable XML"},
                                                {"brokenstyles.xlsx", "xl/styles.xml"},
                                                {"absent.xlsx", "cannot be read"}};
  for (const auto& [file, why] : cases) {
    const QString destination = dir.filePath("out/" + file);
    const WorkbookFiller filler(dir.filePath(file), {false});
    try {
      filler.write(destination, [](QVariantList&) { return false; }, [](int) { return true; });
      QFAIL(qPrintable(file + " was taken as a template"));
    } catch (const Refusal& refusal) {
      // The template the office must mend, not the copy that is gone.
      QVERIFY2(refusal.text.contains(why) && refusal.text.contains(dir.filePath(file) + " ") &&
                   !refusal.text.contains("partial"),
               qPrintable(refusal.text));
    }
    QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
  }

  // Cancelled part way: nothing is left either.
  int offered = 0;
  const QString destination = dir.filePath("out/cancelled.xlsx");
  const WorkbookFiller::Result result = WorkbookFiller(shipped, {false}).write(
      destination, [&](QVariantList& row) { row = {++offered}; return true; }, [](int rows) { return rows < 3000; });
  QVERIFY(result.cancelled);
  QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void ReportsTest::reportFilesAreTheirOwnersAlone() {
  ReportDesk d;
  const QString reports = d.bench.db().folder() + "/reports";
  const QString elsewhere = d.bench.db().folder() + "/elsewhere";
  QVERIFY(QDir().mkpath(elsewhere));
  const mode_t before = umask(0);
  const QString first = d.generate("frmpendinginquiryrpt");
  QCOMPARE(modeOf(reports), 0700);

  // A killed run's leftovers, and links planted at the names the next report could take.
  const QString killed = reports + "/pendinginquiryreport-2026-01-01-090000.xlsx.vantora-partial";
  for (const QString& leftover : {killed, killed + "-journal"}) {
    QFile file(leftover);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  const QDateTime now = QDateTime::currentDateTime();
  for (int second = 0; second < 120; ++second) {
    const QString name = "/pendinginquiryreport-" + now.addSecs(second).toString("yyyy-MM-dd-HHmmss") + ".xlsx";
    QVERIFY(reports + name == first || QFile::link(elsewhere + name, reports + name));
  }
  const QString second = d.generate("frmpendinginquiryrpt");
  umask(before);
  QVERIFY2(d.prompts.done(), d.prompts.report());
  for (const QString& made : {first, second}) {
    QVERIFY2(QFileInfo(made).isFile() && !QFileInfo(made).isSymLink(), qPrintable(made));
    QCOMPARE(modeOf(made), 0600);
  }
  QCOMPARE(QDir(elsewhere).entryList(QDir::Files), QStringList());
  QCOMPARE(QDir(reports).entryList({"*.vantora-partial*"}, QDir::Files | QDir::System), QStringList());
}

namespace {

long peakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Fills `rows` rows of a text, a date, an amount and a long wrapped text.
WorkbookFiller::Result fillRows(const QString& destination, int rows, const std::function<void(int)>& atRow = {}) {
  const QString shipped = QDir(reportTemplateFolder()).filePath("outstandingreport.xlsx");
  int offered = 0;
  return WorkbookFiller(shipped, {false, true, false, false})
      .write(
          destination,
          [&](QVariantList& row) {
            if (offered == rows) return false;
            if (atRow) atRow(offered);
            ++offered;
            row = {QString("CLIENT %1 & <SONS>").arg(offered), QString("2026-03-%1").arg(offered % 28 + 1),
                   offered * 1.5, QString("MECHANICAL SEAL, IMPELLER AND BEARINGS FOR PUMP %1").arg(offered)};
            return true;
          },
          [](int) { return true; });
}

}  // namespace

void ReportsTest::aLongReportIsWrittenAsItIsRead() {
  QTemporaryDir dir;
  constexpr int kRows = 100000;
  fillRows(dir.filePath("warm.xlsx"), 1000);
  [[maybe_unused]] const long before = peakMemoryKb();  // checked only without the sanitizer
  qint64 writtenAtTheLastRow = 0;
  const QString destination = dir.filePath("long.xlsx");
  const auto result = fillRows(destination, kRows, [&](int row) {
    if (row == kRows - 1)
      writtenAtTheLastRow = QFileInfo(destination + ".vantora-partial-sheet.vantora-partial").size();
  });
  QCOMPARE(result.rows, kRows);
  // The rows read so far are already on disk, not gathered in memory.
  QVERIFY2(writtenAtTheLastRow > qint64(kRows) * 100, qPrintable(QString::number(writtenAtTheLastRow)));
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer keeps freed memory aside
  QVERIFY2(peakMemoryKb() - before < 64 * 1024, qPrintable(QString::number(peakMemoryKb() - before)));
#endif
  QCOMPARE(QDir(dir.path()).entryList({"*.vantora-partial*"}, QDir::Files | QDir::Hidden), QStringList());

  const WorkbookContent content = readWorkbook(destination);
  QCOMPARE(content.error, QString());
  QCOMPARE(content.dimension, QString("A1:E%1").arg(kRows + 2));
  QCOMPARE(content.cells.value(QString("A%1").arg(kRows + 2)).value, QString::number(kRows));
  QCOMPARE(content.cells.value(QString("B%1").arg(kRows + 2)).value, QString("CLIENT %1 & <SONS>").arg(kRows));
}

void ReportsTest::longReportShowsItsWholeTitleAndCancels() {
  ReportDesk d;
  {
    Transaction all(d.bench.db().connection());
    RowWriter inquiries(d.bench.db().connection(), "tinquiry");
    RowWriter items(d.bench.db().connection(), "titemdescom");
    for (int n = 0; n < 5000; ++n) {
      inquiries.append(QVariantHash{{"inqnum", QString("L-%1").arg(n)}, {"client", "LONG"}, {"inqdate", "2002-03-05"}});
      items.append(QVariantHash{{"inqnum", QString("L-%1").arg(n)}, {"itemdes", "  PUMP(1)"}, {"qty", 1}});
    }
    all.commit();
  }
  QString title;
  bool wideEnough = false;
  QTimer watch;  // the progress window is modal: it is met from inside the report's run
  connect(&watch, &QTimer::timeout, [&] {
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (!progress || !title.isEmpty()) return;
    title = progress->windowTitle();
    wideEnough = progress->width() >= widthShowingTitle(progress);
    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
  });
  watch.start(0);
  d.prompts.expect("The report was cancelled; nothing was saved.", "INFO...");
  QVERIFY(d.generate("frmpendinginquiryrpt").isEmpty());
  QVERIFY2(d.prompts.done(), d.prompts.report());
  QCOMPARE(title, QString("PENDING  INQUIRY  FORM"));
  QVERIFY(wideEnough);
}

// What LibreOffice showed cut or run together: rows as high as their wrapped
// text, headings included; the tax terms whole; amounts right-aligned with
// their digits grouped; the workbook dated when it was made.
void ReportsTest::printoutsFitTheirTextAndGroupAmounts() {
  const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
  ReportDesk d;
  const QString items = "  CENTRIFUGAL PUMP 50X32(4)  MECHANICAL SEAL(8)  BASE PLATE(4)  PIN BUSH COUPLING(4)  MOTOR(4)";
  add(d.bench.db(), "tinquiry", {{"inqnum", "I-5"}, {"client", "OMEGA"}, {"inqdate", "2002-03-10"}});
  add(d.bench.db(), "titemdescom", {{"inqnum", "I-5"}, {"itemdes", items}, {"qty", 24}, {"manf", "  KSB"}});
  const QString inquiries = d.generate("frmpendinginquiryrpt");
  QString error;
  const QMap<QString, QString> layout = readLayoutWithOpenpyxl(inquiries, &error);
  QVERIFY2(error.isEmpty(), qPrintable(error));
  constexpr double kLine = 15;  // points, the sheet's one-line row
  QVERIFY2(layout.value("row:2").toDouble() >= 2 * kLine, qPrintable(layout.value("row:2")));  // "INQUIRY DATE" wraps
  const WorkbookContent cells = readWorkbook(inquiries);
  int longRow = 3;
  while (cells.cells.value(QString("B%1").arg(longRow)).value != "I-5") QVERIFY(++longRow < 10);
  const double width = layout.value("col:G").toDouble();
  const int fewestLines = int(std::ceil(items.size() / width));  // even if every letter were as narrow as a digit
  QVERIFY(fewestLines >= 2);
  QVERIFY2(layout.value(QString("row:%1").arg(longRow)).toDouble() >= fewestLines * kLine,
           qPrintable(layout.value(QString("row:%1").arg(longRow))));
  QVERIFY(!layout.contains(QString("row:%1").arg(longRow == 3 ? 4 : 3)));  // a one-line row keeps the usual height
  QCOMPARE(layout.value(QString("align:H%1").arg(longRow)), QString("right"));
  QVERIFY(layout.value(QString("format:H%1").arg(longRow)).contains("##,##0"));
  const QDateTime created = QDateTime::fromString(layout.value("created"), Qt::ISODate);
  QVERIFY2(created >= started && layout.value("modified") == layout.value("created"), qPrintable(layout.value("created")));

  const QMap<QString, QString> orders = readLayoutWithOpenpyxl(d.generate("frmpoexerpt"), &error);
  QVERIFY(orders.value("col:H").toDouble() >= QString("4 % Against Form 'C'").size());  // TAX MODE, its longest term
  const QMap<QString, QString> dues = readLayoutWithOpenpyxl(d.generate("frmoutstandingrpt"), &error);
  QCOMPARE(dues.value("align:F4"), QString("right"));  // AMOUNT
  QVERIFY(dues.value("format:F4").contains("##,##0"));
  QVERIFY2(d.prompts.done(), d.prompts.report());
}

void ReportsTest::formsCloseOnlyWithTheirCloseButton() {
  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* menu = bench.show("frmreport");
  QCOMPARE(menu->windowTitle(), QString("REPORT  FORM"));
  bench.click(menu->findChild<QPushButton*>("cmdpendingexecution"));
  QWidget* report = bench.host().find("frmpoexerpt");
  QVERIFY(report);
  QCOMPARE(report->windowTitle(), QString("PO  EXECUTION STATUS"));
  QCOMPARE(report->findChild<QPushButton*>("Command1")->text(), QString("CLICK "));
  QCOMPARE(report->findChild<QLabel*>("Label8")->text(), QString("PO EXECUTION STATUS FORM"));
  for (QWidget* form : {report, menu}) {
    prompts.expect("Please use CLOSE button at bottom to close this form..", "ALERT!");
    bench.clickCloseBox(form);
    QVERIFY2(prompts.done(), prompts.report());
    bench.click(form->findChild<QPushButton*>("cmdclose"));
  }
  QTRY_VERIFY(!bench.host().find("frmpoexerpt") && !bench.host().find("frmreport"));
}

// With VANTORA_PRINT_REPORTS naming a folder, the four reports of a demo
// office are left there, to open in a spreadsheet program or print.
void ReportsTest::printoutsToLookAt() {
  const QString folder = qEnvironmentVariable("VANTORA_PRINT_REPORTS");
  if (folder.isEmpty()) QSKIP("VANTORA_PRINT_REPORTS names no folder");
  FormBench bench;
  ScriptedPrompter prompts;
  RecordingViewer viewer;
  fillDemoData(bench.db().connection(), 40, 30);
  for (const ReportDefinition& report : reportDefinitions()) {
    bench.click(bench.show(report.form)->findChild<QPushButton*>("Command1"));
    const QString target = QDir(folder).filePath(QString::fromLatin1(report.templateFile));
    QFile::remove(target);
    QVERIFY(QFile::copy(viewer.shown.last(), target));
  }
}

QTEST_MAIN(ReportsTest)
#include "tst_reports.moc"
