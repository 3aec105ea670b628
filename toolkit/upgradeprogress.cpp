#include "toolkit/upgradeprogress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <memory>

#include "store/layout/schemaversion.h"

void showUpgradeProgress() {
  struct Shown {
    QElapsedTimer since;
    std::unique_ptr<QProgressDialog> window;
  };
  auto shown = std::make_shared<Shown>();
  setUpgradeProgress([shown](const QString& database, int done, int total) {
    if (done == 0) {
      shown->since.start();
      shown->window.reset();
      return;
    }
    if (!shown->window && shown->since.elapsed() > 1000 && done < total) {
      shown->window = std::make_unique<QProgressDialog>(
          QStringLiteral("Bringing the database %1 up to date for this version of VANTORA. This is done once.").arg(database),
          QString(), 0, total);
      shown->window->setWindowTitle(QStringLiteral("VANTORA"));
      shown->window->setWindowModality(Qt::ApplicationModal);
      shown->window->setMinimumDuration(0);
      shown->window->show();
    }
    if (!shown->window) return;
    shown->window->setValue(done);
    if (done == total) shown->window.reset();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
}
