#include "documents/itemrequirementblock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <optional>

#include "store/connection.h"
#include "store/queries/documentqueries.h"
#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/keyfilters.h"
#include "toolkit/listmodel.h"
#include "toolkit/refusal.h"

namespace {

// What leaving a quantity box says, and SAVE too while the box still holds it.
std::optional<Refusal> quantityRefusal(const QString& text, qint64* quantity) {
  switch (readQuantity(text, quantity)) {
    case QuantityText::Ok:
      return std::nullopt;
    case QuantityText::NotANumber:
      return Refusal{QStringLiteral("Please use NUMBER(0 to 9) only...this quantity is not saved"), QStringLiteral("ALERT!")};
    case QuantityText::TooLarge:
      return Refusal{QStringLiteral("Too much large quantity..not allowed"), QStringLiteral("Info..")};
  }
  return std::nullopt;
}

}  // namespace

ItemRequirementBlock::ItemRequirementBlock(const BlockTexts& texts, QWidget* parent)
    : QGroupBox(texts.frameCaption, parent), makeListPrefix_(texts.makeListPrefix) {
  setObjectName(QStringLiteral("frameitemreqinq"));
  setToolTip(texts.frameTooltip);
  auto* grid = new QGridLayout(this);
  const char* headings[] = {"ITEM", "ITEM DESCRIPTION", "QUANTITY", "MAKE"};
  for (int c = 0; c < 4; ++c) grid->addWidget(makeLabel(this, QString::fromLatin1(headings[c])), 0, c);
  for (int i = 0; i < kCategoryCount; ++i) buildLine(i + 1, categories()[size_t(i)], texts, lines_[size_t(i)]);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 1);
  setEnabled(false);
}

void ItemRequirementBlock::buildLine(int row, const Category& category, const BlockTexts& texts, Line& line) {
  auto* grid = static_cast<QGridLayout*>(layout());
  const int index = row - 1;
  line.check = new QCheckBox(category.caption, this);
  line.check->setObjectName(QStringLiteral("chk") + category.suffix);
  line.check->setToolTip(texts.checkTooltips[size_t(index)]);
  line.description = makeTextBox(this, QStringLiteral("txtid") + category.suffix, texts.descriptionTooltip);
  line.quantity = makeTextBox(this, QStringLiteral("txt") + category.suffix + QStringLiteral("qty"), texts.quantityTooltip);
  line.make = makeListCombo(this, QStringLiteral("datacommanf") + category.suffix, texts.makeTooltip, nullptr);
  nameForReaders(line.description, category.caption + QStringLiteral(" ITEM DESCRIPTION"));
  nameForReaders(line.quantity, category.caption + QStringLiteral(" QUANTITY"));
  nameForReaders(line.make, category.caption + QStringLiteral(" MAKE"));
  limitTextLength(line.description, textLimit(QStringLiteral("titeminq"), category.descriptionColumn()));
  limitTextLength(line.make, textLimit(QStringLiteral("titeminq"), category.makeColumn()));
  grid->addWidget(line.check, row, 0);
  grid->addWidget(line.description, row, 1);
  grid->addWidget(line.quantity, row, 2);
  grid->addWidget(line.make, row, 3);

  // However the box changed (a click, Space, a screen reader's toggle), it stores what it shows.
  connect(line.check, &QCheckBox::toggled, this, [&line](bool ticked) {
    line.flag = ticked ? QStringLiteral("YES") : QStringLiteral("");
  });
  makeDigitBox(line.quantity);
  line.quantity->setMaximumWidth(line.quantity->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")));
  QLineEdit* quantity = line.quantity;
  onFocusLeave(quantity, [quantity] {
    qint64 ignored = 0;
    if (const auto refusal = quantityRefusal(quantity->text(), &ignored)) tell(refusal->text, refusal->title);
  });
  QComboBox* make = line.make;
  onFocusLeave(make, [make] {
    if (make->currentText().isEmpty()) tell(QStringLiteral("Please fill Manufacturer Name"), QStringLiteral("ALERT!"));
  });
}

void ItemRequirementBlock::loadMakeLists(Connection& connection) {
  for (Line& line : lines_) {
    const Category& category = categories()[size_t(&line - lines_.data())];
    auto* list = new ListModel(connection, documentqueries::distinctValues(QStringLiteral("titeminq"), category.makeColumn(), connection.dialect()), this);
    list->setObjectName(makeListPrefix_ + category.suffix);
    line.make->setModel(list);
    line.make->setCurrentIndex(-1);  // a list offers values; it does not choose one
  }
}

void ItemRequirementBlock::clear() { show(ItemLines()); }

void ItemRequirementBlock::show(const ItemLines& lines) {
  for (size_t i = 0; i < lines_.size(); ++i) {
    lines_[i].check->setChecked(lines.lines[i].ticked());
    lines_[i].flag = lines.lines[i].flag;  // as loaded, whatever the tick above recorded
  }
  for (size_t i = 0; i < lines_.size(); ++i) lines_[i].description->setText(lines.lines[i].description);
  for (size_t i = 0; i < lines_.size(); ++i) {
    const qint64 quantity = lines.lines[i].quantity;
    lines_[i].quantity->setText(quantity == 0 ? QString() : QString::number(quantity));
  }
  for (size_t i = 0; i < lines_.size(); ++i) {
    lines_[i].make->setCurrentIndex(-1);
    lines_[i].make->setEditText(lines.lines[i].make);
  }
}

ItemLines ItemRequirementBlock::lines() const {
  ItemLines result;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    ItemLine& shown = result.lines[i];
    shown.flag = line.flag;
    shown.description = line.description->text();
    if (const auto refusal = quantityRefusal(line.quantity->text(), &shown.quantity)) throw *refusal;
    shown.make = line.make->currentText();
  }
  return result;
}
