#pragma once

#include <QStyledItemDelegate>

// Shows a cell's text as dots, so a password is not read over a shoulder; the
// editor opened on the cell shows it plain.
class MaskedDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QString displayText(const QVariant& value, const QLocale& locale) const override;
};
