#pragma once

#include <QApplication>
#include <QEvent>

// Tells when a widget has finished painting: the paint is delivered inside the
// filter, so "painted" means the pixels of that paint are drawn.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  bool painted = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || inside_) return false;
    inside_ = true;
    QApplication::sendEvent(watched, event);
    inside_ = false;
    painted = true;
    return true;
  }

 private:
  bool inside_ = false;
};
