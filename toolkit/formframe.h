#pragma once

#include <QScrollArea>

// What a form sits in inside its window. The form is never squeezed below what
// its layout needs; it scrolls instead. The window grows, as far as the frame
// area allows, when the form reveals more controls.
class FormFrame : public QScrollArea {
  Q_OBJECT

 public:
  explicit FormFrame(QWidget* form);

  QWidget* form() const { return widget(); }
  QSize sizeHint() const override;  // the whole form, not capped like a scroll area's
  // Sizes the window to the form, within the area, and keeps it inside the area.
  void fitWindow();

 protected:
  void closeEvent(QCloseEvent* event) override;  // the form decides
  bool eventFilter(QObject* watched, QEvent* event) override;
};
