#include "toolkit/controls.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "toolkit/comboaccessible.h"
#include "toolkit/errorsink.h"
#include "toolkit/prompter.h"

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

QTabWidget* makeTabs(QWidget* parent, const QString& name) {
  auto* tabs = new QTabWidget(parent);
  tabs->setObjectName(name);
  tabs->setUsesScrollButtons(false);
  return tabs;
}

QCalendarWidget* makeCalendar(QWidget* parent, const QString& name, const QString& tooltip) {
  auto* calendar = new QCalendarWidget(parent);
  calendar->setObjectName(name);
  calendar->setToolTip(tooltip);
  calendar->setGridVisible(true);
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  return calendar;
}

QComboBox* makeListCombo(QWidget* parent, const QString& name, const QString& tooltip, QAbstractItemModel* list) {
  nameCombosByTheirLabels();
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setToolTip(tooltip);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  // Sizing to the contents would read every entry of a long list.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(24);  // a client or make name shows whole
  if (list) {
    combo->setModel(list);
    combo->setCurrentIndex(-1);
  }
  return combo;
}

void setControlsEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* control : controls) control->setEnabled(enabled);
}

void nameForReaders(QWidget* control, const QString& name) {
  QString shown = name;
  shown = shown.remove(QLatin1Char('&')).trimmed();
  control->setAccessibleName(shown);
  // The focus lands in an editable combo's typing box, or in its list when it
  // drops down: they answer to the same name.
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    if (combo->lineEdit()) combo->lineEdit()->setAccessibleName(shown);
    combo->view()->setAccessibleName(shown);
  }
}

QLabel* makeLabelFor(QWidget* parent, const QString& text, QWidget* control) {
  QLabel* label = makeLabel(parent, text);
  label->setBuddy(control);
  nameForReaders(control, text);
  return label;
}

void onDayPicked(QCalendarWidget* calendar, QObject* context, std::function<void(QDate)> handler) {
  // clicked() comes for every click on a day; selectionChanged() would miss
  // the day already selected. activated() is Enter on the keyboard.
  auto picked = [handler](QDate day) { runGuarded([&] { handler(day); }); };
  QObject::connect(calendar, &QCalendarWidget::clicked, context, picked);
  QObject::connect(calendar, &QCalendarWidget::activated, context, picked);
}

namespace {
class ClickFilter : public QObject {
 public:
  ClickFilter(QWidget* control, std::function<void()> handler) : QObject(control), handler_(std::move(handler)) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool entered = event->type() == QEvent::KeyPress &&
                         (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (clicked || entered) runGuarded(handler_);
    return false;
  }

 private:
  std::function<void()> handler_;
};
}  // namespace

void onClicked(QWidget* control, std::function<void()> handler) { new ClickFilter(control, std::move(handler)); }

void limitTextLength(QWidget* box, int limit) {
  auto* combo = qobject_cast<QComboBox*>(box);
  QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
  if (!edit) return;
  // A line edit cuts at its own limit without a word; ours is judged instead.
  edit->setMaxLength(1 << 24);
  auto fitting = std::make_shared<QString>(edit->text());
  QObject::connect(edit, &QLineEdit::textChanged, edit, [fitting, limit](const QString& text) {
    if (text.size() <= limit) *fitting = text;
  });
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, box, fitting, limit](const QString& text) {
    if (text.size() <= limit) return;
    edit->setText(*fitting);
    tell(QStringLiteral("The text for %1 is too long: at most %2 characters fit, so it was not entered.")
             .arg(box->accessibleName().isEmpty() ? box->objectName() : box->accessibleName())
             .arg(limit),
         QStringLiteral("ALERT!"));
  });
}
