#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <initializer_list>

class QAbstractItemModel;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QTabWidget;
class QWidget;

// Named controls, created the same way on every form.
QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name = {});
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& tooltip);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip);
QCalendarWidget* makeCalendar(QWidget* parent, const QString& name, const QString& tooltip);
// Every tab caption stays in sight: no scroll buttons hide tabs.
QTabWidget* makeTabs(QWidget* parent, const QString& name);
// An editable combo whose drop-down list is the first column of the model; it
// opens empty.
QComboBox* makeListCombo(QWidget* parent, const QString& name, const QString& tooltip, QAbstractItemModel* list);
void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled);

// The label beside a control; a screen reader names the control by it.
QLabel* makeLabelFor(QWidget* parent, const QString& text, QWidget* control);
void nameForReaders(QWidget* control, const QString& name);

// A day picked on the calendar with a click or Enter, even the day already
// selected; paging through months picks nothing.
void onDayPicked(QCalendarWidget* calendar, QObject* context, std::function<void(QDate)> handler);

// A click on the control, or Enter while it has the focus.
void onClicked(QWidget* control, std::function<void()> handler);

// A text box (or editable combo) takes only text that can be stored: no
// control or formatting character (tab, line break, a right-to-left
// override...), no half of a broken character. An edit that brings one is
// refused whole, with a message naming the box; nothing is silently cut.
// Every box made above already refuses them.
void refuseUnstorableText(QWidget* box);
// Such a box that also holds at most `limit` characters, counted as the store
// counts them (an emoji is one).
void limitTextLength(QWidget* box, int limit);
