#include "toolkit/controls.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QValidator>

#include "store/textcharacters.h"
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
  refuseUnstorableText(box);
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
  refuseUnstorableText(combo);
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
  control->setAccessibleName(shown.remove(QLatin1Char('&')).trimmed());
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

namespace {
// Judges each edit the user makes in a box before the box takes it: a text
// longer than the box's column holds, or with a character that cannot be
// stored, is refused whole with a message naming the box, and the box keeps
// what it held. A validator rather than a handler of the change: a change
// undone afterwards would already have reached whatever follows the box.
class StorableText : public QValidator {
 public:
  StorableText(QLineEdit* edit, QWidget* box) : QValidator(edit), edit_(edit), box_(box) {
    edit->setMaxLength(1 << 24);  // a line edit cuts at its own limit without a word
    edit->setValidator(this);
    connect(edit, &QLineEdit::inputRejected, this, &StorableText::rejected);
  }

  void setLimit(int limit) { limit_ = limit; }

  State validate(QString& text, int&) const override {
    refusal_ = problem(text);
    refused_ = text;
    return refusal_.isEmpty() ? Acceptable : Invalid;
  }

 private:
  QString problem(const QString& text) const {
    if (limit_ > 0 && characterCount(text) > limit_)
      return QStringLiteral("is too long: at most %1 characters fit").arg(limit_);
    const QString why = unsoundCharacter(text);
    return why.isEmpty() ? QString() : QStringLiteral("holds %1").arg(why);
  }

  // The box undoes a refused edit only after saying so; a text the form set
  // itself (a value stored earlier) is shown as it is, without a message.
  void rejected() {
    QMetaObject::invokeMethod(
        this,
        [this, why = refusal_, text = refused_] {
          if (edit_->text() == text) return;
          const QString name = box_->accessibleName().isEmpty() ? box_->objectName() : box_->accessibleName();
          tell(QStringLiteral("The text for %1 %2, so it was not entered.").arg(name, why), QStringLiteral("ALERT!"));
        },
        Qt::QueuedConnection);
  }

  QLineEdit* edit_;
  QWidget* box_;
  int limit_ = 0;
  mutable QString refusal_;
  mutable QString refused_;
};

QLineEdit* lineEditOf(QWidget* box) {
  auto* combo = qobject_cast<QComboBox*>(box);
  return combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
}

StorableText* guardOf(QWidget* box) {
  QLineEdit* edit = lineEditOf(box);
  if (!edit) return nullptr;
  if (auto* guard = edit->findChild<StorableText*>(QString(), Qt::FindDirectChildrenOnly)) return guard;
  return new StorableText(edit, box);
}
}  // namespace

void refuseUnstorableText(QWidget* box) { guardOf(box); }

void limitTextLength(QWidget* box, int limit) {
  if (StorableText* guard = guardOf(box)) guard->setLimit(limit);
}
