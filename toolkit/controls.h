#pragma once

#include <QString>
#include <initializer_list>

class QAbstractItemModel;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Named controls, created the same way on every form.
QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name = {});
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& tooltip);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip);
QCalendarWidget* makeCalendar(QWidget* parent, const QString& name, const QString& tooltip);
// An editable combo whose drop-down list is the first column of the model; it
// opens empty.
void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled);
QComboBox* makeListCombo(QWidget* parent, const QString& name, const QString& tooltip, QAbstractItemModel* list);
