#pragma once

#include <QDate>
#include <functional>

#include "toolkit/entryform.h"

struct BlockTexts;
struct ItemSummary;
class ItemRequirementBlock;
class QCalendarWidget;
class QLineEdit;

// An entry form of the document chain: an entry form with the item
// requirement block and calendars that fill read-only date boxes.
class DocumentForm : public EntryForm {
  Q_OBJECT

 public:
  DocumentForm(const QString& formName, const QString& caption, FormHost& host, const BlockTexts& texts);

 protected:
  ItemRequirementBlock* block() const { return block_; }

  // A day picked on the calendar is shown "dd/MM/yy" in the box, which only
  // shows it, and handed to `store`.
  void onDatePicked(QCalendarWidget* calendar, QLineEdit* shown, std::function<void(QDate)> store);
  // A click (or Enter) in the date box takes the calendar's selected day: the
  // box, which only shows it, and `store` get it.
  void onDateBoxClicked(QLineEdit* box, QCalendarWidget* calendar, std::function<void(QDate)> store);
  // The summary row's total quantity is 16 bits; a Refusal when the lines add up to more.
  static void requireTotalFits(const ItemSummary& summary);

 private:
  ItemRequirementBlock* block_;
};
