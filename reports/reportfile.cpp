#include "reports/reportfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <memory>

#include "reports/reportform.h"
#include "store/basics/completefile.h"
#include "store/databaselocation.h"
#include "toolkit/fileviewer.h"
#include "toolkit/prompter.h"
#include "toolkit/refusal.h"
#include "toolkit/titlewidth.h"

namespace {

// A report this long, or this slow, shows its progress and can be cancelled.
constexpr int kProgressFromRows = 5000;
constexpr int kProgressFromMilliseconds = 700;

QString newReportPath(const QString& databasePath, const QString& templateFile) {
  const QDir folder(reportsFolderFor(databasePath));
  const QString name = QFileInfo(templateFile).completeBaseName() + QLatin1Char('-') +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  QString path = folder.filePath(name + QStringLiteral(".xlsx"));
  // Two reports within one second; a link planted at the name is stepped around, never written through.
  for (int again = 2; entryExists(path); ++again) path = folder.filePath(QStringLiteral("%1-%2.xlsx").arg(name).arg(again));
  return path;
}

}  // namespace

void makeReportFile(QWidget* parent, const QString& databasePath, const QString& templateFile, const QString& title,
                    const std::vector<bool>& dateFields, const WorkbookFiller::NextRow& next) {
  std::unique_ptr<QProgressDialog> progress;
  QElapsedTimer started;
  started.start();
  const auto keepGoing = [&](int rows) {
    if (!progress && (rows >= kProgressFromRows || started.elapsed() >= kProgressFromMilliseconds)) {
      progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, 0, parent);
      progress->setWindowTitle(title);
      makeRoomForTitle(progress.get());
      progress->setWindowModality(Qt::ApplicationModal);
      progress->show();
    }
    if (!progress) return true;
    progress->setLabelText(QStringLiteral("%1 rows written...").arg(rows));
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
  };

  const QString path = newReportPath(databasePath, templateFile);
  const WorkbookFiller filler(QDir(reportTemplateFolder()).filePath(templateFile), dateFields);
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
