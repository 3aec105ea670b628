#pragma once

#include <QWidget>

// The program's picture, as the desktop shows its icon.
class ProgramPicture : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {96, 96}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
