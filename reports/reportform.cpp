#include "reports/reportform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/reportdefinitions.h"
#include "reports/workbookfiller.h"
#include "store/completefile.h"
#include "store/connection.h"
#include "store/databaselocation.h"
#include "store/reportqueries.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/fileviewer.h"
#include "toolkit/formhost.h"
#include "toolkit/refusal.h"

namespace {
// A report this long, or this slow, shows its progress and can be cancelled.
constexpr int kProgressFromRows = 5000;
constexpr int kProgressFromMilliseconds = 700;
}  // namespace

QString reportTemplateFolder() {
  const QString chosen = qEnvironmentVariable("VANTORA_TEMPLATES");
  return chosen.isEmpty() ? shippedTemplateFolder(QCoreApplication::applicationDirPath()) : chosen;
}

QString shippedTemplateFolder(const QString& programFolder) {
  const QDir program(programFolder);
  const QString beside = program.filePath(QStringLiteral("lumoxlsfile"));
  return QFileInfo(beside).isDir() ? beside : QDir::cleanPath(program.filePath(QStringLiteral(VANTORA_INSTALLED_TEMPLATES)));
}

ReportForm::ReportForm(const ReportDefinition& definition, FormHost& host)
    : FormBase(QString::fromLatin1(definition.form)), definition_(definition), databasePath_(host.databasePath()) {
  setWindowTitle(QString::fromLatin1(definition.windowTitle));
  setCloseRule(CloseRule::useCloseButton());
  connection_ = Connection::open(databasePath_);

  auto* generate = makeButton(this, QStringLiteral("Command1"), QString::fromLatin1(definition.generateCaption), QString());
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  nameForReaders(generate, QStringLiteral("MAKE THE REPORT"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QString::fromLatin1(definition.heading), QStringLiteral("Label8")));
  layout->addWidget(generate);
  layout->addWidget(close);
  connectGuarded(generate, &QPushButton::clicked, this, [this] { this->generate(); });
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
}

ReportForm::~ReportForm() = default;

QString ReportForm::newReportPath() const {
  const QDir folder(reportsFolderFor(databasePath_));
  const QString name = QFileInfo(QString::fromLatin1(definition_.templateFile)).completeBaseName() + QLatin1Char('-') +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  QString path = folder.filePath(name + QStringLiteral(".xlsx"));
  // Two reports within one second; a link planted at the name is stepped around, never written through.
  for (int again = 2; entryExists(path); ++again)
    path = folder.filePath(QStringLiteral("%1-%2.xlsx").arg(name).arg(again));
  return path;
}

void ReportForm::generate() {
  QStringList fields;
  std::vector<bool> dates;
  for (const ReportColumn& column : definition_.columns) {
    fields << QString::fromLatin1(column.field);
    dates.push_back(column.date);
  }
  ReportRows records(*connection_, definition_.query, fields);
  const auto next = [&records](QVariantList& values) { return records.next(values); };

  std::unique_ptr<QProgressDialog> progress;
  QElapsedTimer started;
  started.start();
  const auto keepGoing = [&](int rows) {
    if (!progress && (rows >= kProgressFromRows || started.elapsed() >= kProgressFromMilliseconds)) {
      progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, 0, this);
      progress->setWindowTitle(QString::fromLatin1(definition_.windowTitle));
      progress->setWindowModality(Qt::ApplicationModal);
      progress->show();
    }
    if (!progress) return true;
    progress->setLabelText(QStringLiteral("%1 rows written...").arg(rows));
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
  };

  const QString path = newReportPath();
  const WorkbookFiller filler(QDir(reportTemplateFolder()).filePath(QString::fromLatin1(definition_.templateFile)), dates);
  const WorkbookFiller::Result result = filler.write(path, next, keepGoing);
  progress.reset();
  if (result.cancelled) {
    tell(QStringLiteral("The report was cancelled; nothing was saved."), QStringLiteral("INFO..."));
    return;
  }
  if (result.cutShort)
    tell(QStringLiteral("The report has more rows than a spreadsheet sheet holds; the first %1 are in the workbook.")
             .arg(result.rows),
         QStringLiteral("ALERT!"), Prompter::Icon::Warning);
  if (!fileViewer().show(path))
    throw Refusal{QStringLiteral("The report was saved as %1, but no spreadsheet program is set up to show it. Open "
                                 "the file from there.")
                      .arg(path),
                  QStringLiteral("ALERT!"), Prompter::Icon::Warning};
}
