#include "toolkit/formframe.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

FormFrame::FormFrame(QWidget* form) {
  setObjectName(form->objectName() + QStringLiteral("_frame"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(form);
  form->installEventFilter(this);
}

QSize FormFrame::sizeHint() const { return form()->sizeHint().expandedTo(form()->minimumSizeHint()); }

void FormFrame::fitWindow() {
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  QMdiArea* area = window ? window->mdiArea() : nullptr;
  if (!area) return;
  const QSize decoration = window->size() - viewport()->size();
  const QSize room = area->viewport()->size();
  // Wide enough for the title and the title bar's buttons too.
  const int titled = window->fontMetrics().horizontalAdvance(window->windowTitle()) + 6 * decoration.height();
  const QSize wanted = (sizeHint() + decoration).expandedTo(QSize(titled, 0)).expandedTo(window->size()).boundedTo(room);
  if (wanted != window->size()) window->resize(wanted);
  QPoint corner = window->pos();
  corner.setX(qBound(0, corner.x(), room.width() - wanted.width()));
  corner.setY(qBound(0, corner.y(), room.height() - wanted.height()));
  if (corner != window->pos()) window->move(corner);
}

void FormFrame::closeEvent(QCloseEvent* event) { event->setAccepted(form()->close()); }

bool FormFrame::eventFilter(QObject* watched, QEvent* event) {
  // Controls shown or hidden: once the layout has settled, fit the window again.
  if (watched == form() && event->type() == QEvent::LayoutRequest)
    QTimer::singleShot(0, this, &FormFrame::fitWindow);
  return QScrollArea::eventFilter(watched, event);
}
