#pragma once

#include <QWidget>

// The product picture: a gear, drawn rather than taken from a font, so the
// first window needs no font but the one every label uses.
class GearPicture : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {96, 96}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
