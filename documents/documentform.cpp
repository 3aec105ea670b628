#include "documents/documentform.h"

#include <QCalendarWidget>
#include <QLineEdit>

#include "documents/itemrequirementblock.h"
#include "toolkit/controls.h"
#include "toolkit/refusal.h"

DocumentForm::DocumentForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts)
    : EntryForm(formName, caption, host) {
  block_ = new ItemRequirementBlock(texts, this);
  block_->loadMakeLists(connection());
}

void DocumentForm::onDatePicked(QCalendarWidget* calendar, QLineEdit* shown, std::function<void(QDate)> store) {
  shown->setReadOnly(true);  // what it shows is what the calendar stored
  onDayPicked(calendar, this, [shown, store](QDate day) {
    store(day);
    shown->setText(day.toString(QStringLiteral("dd/MM/yy")));
  });
}

void DocumentForm::onDateBoxClicked(QLineEdit* box, QCalendarWidget* calendar, std::function<void(QDate)> store) {
  box->setReadOnly(true);  // what it shows is what the click stored
  onClicked(box, [box, calendar, store] {
    if (!box->isEnabled()) return;
    const QDate day = calendar->selectedDate();
    store(day);
    box->setText(day.toString(QStringLiteral("dd/MM/yy")));
  });
}

void DocumentForm::requireTotalFits(const ItemSummary& summary) {
  if (summary.totalFitsItsColumn()) return;
  throw Refusal{QStringLiteral("Total quantity of all items is %1..more than 32767 is not allowed. Please correct the "
                               "quantities before saving..")
                    .arg(summary.totalQuantity),
                QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
}
