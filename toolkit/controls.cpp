#include "toolkit/controls.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& tooltip) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setToolTip(tooltip);
  return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(tooltip);
  return button;
}

QCalendarWidget* makeCalendar(QWidget* parent, const QString& name, const QString& tooltip) {
  auto* calendar = new QCalendarWidget(parent);
  calendar->setObjectName(name);
  calendar->setToolTip(tooltip);
  calendar->setGridVisible(true);
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar->setMaximumSize(340, 220);
  return calendar;
}

QComboBox* makeListCombo(QWidget* parent, const QString& name, const QString& tooltip, QAbstractItemModel* list) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setToolTip(tooltip);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  // Sizing to the contents would read every entry of a long list.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(12);
  if (list) {
    combo->setModel(list);
    combo->setCurrentIndex(-1);
  }
  return combo;
}

void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* control : controls) control->setEnabled(enabled);
}
