#include "documents/itemrequirementblock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "store/documentqueries.h"
#include "store/recordset.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/keyfilters.h"
#include "toolkit/prompter.h"
#include "toolkit/listmodel.h"

namespace {
constexpr int kMaxQuantity = 10000;

QVariant textOrNothing(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }
}  // namespace

ItemRequirementBlock::ItemRequirementBlock(const BlockTexts& texts, QWidget* parent)
    : QGroupBox(texts.frameCaption, parent), texts_(texts) {
  setObjectName(QStringLiteral("frameitemreqinq"));
  setToolTip(texts.frameTooltip);
  auto* grid = new QGridLayout(this);
  const char* headings[] = {"ITEM", "ITEM DESCRIPTION", "QUANTITY", "MAKE"};
  for (int c = 0; c < 4; ++c) grid->addWidget(makeLabel(this, QString::fromLatin1(headings[c])), 0, c);
  for (int i = 0; i < kCategoryCount; ++i) buildLine(i + 1, categories()[size_t(i)], texts, i);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 1);
  setEnabled(false);
}

void ItemRequirementBlock::buildLine(int row, const Category& category, const BlockTexts& texts, int index) {
  auto* grid = static_cast<QGridLayout*>(layout());
  Line& line = lines_[size_t(index)];

  line.check = new QCheckBox(category.caption, this);
  line.check->setObjectName(QStringLiteral("chk") + category.suffix);
  line.check->setToolTip(texts.checkTooltips[size_t(index)]);
  line.description = makeTextBox(this, QStringLiteral("txtid") + category.suffix, texts.descriptionTooltip);
  line.quantity = makeTextBox(this, QStringLiteral("txt") + category.suffix + QStringLiteral("qty"), texts.quantityTooltip);
  line.make = makeListCombo(this, QStringLiteral("datacommanf") + category.suffix, texts.makeTooltip, nullptr);
  grid->addWidget(line.check, row, 0);
  grid->addWidget(line.description, row, 1);
  grid->addWidget(line.quantity, row, 2);
  grid->addWidget(line.make, row, 3);

  connect(line.check, &QCheckBox::toggled, this, [this, category](bool ticked) {
    runGuarded([&] { write(category.flagColumn(), ticked ? QStringLiteral("YES") : QString(""));});
  });
  // What the box shows is what the row holds: an emptied box clears its column.
  connect(line.description, &QLineEdit::textChanged, this, [this, category](const QString& text) {
    runGuarded([&] { write(category.descriptionColumn(), textOrNothing(text)); });
  });
  warnOnNonDigitKeys(line.quantity);
  QLineEdit* quantity = line.quantity;
  onFocusLeave(quantity, [this, category, quantity] { quantityLeft(category, quantity); });
  QComboBox* make = line.make;
  onFocusLeave(make, [this, category, make] { makeLeft(category, make); });
}

void ItemRequirementBlock::loadMakeLists(Connection& connection) {
  for (int i = 0; i < kCategoryCount; ++i) {
    const Category& category = categories()[size_t(i)];
    auto* list = new ListModel(connection, documentqueries::distinctValues(QStringLiteral("titeminq"), category.makeColumn()), this);
    list->setObjectName(texts_.makeListPrefix + category.suffix);
    QComboBox* make = lines_[size_t(i)].make;
    make->setModel(list);
    make->setCurrentIndex(-1);  // a list offers values; it does not choose one
  }
}

void ItemRequirementBlock::attach(RecordSet* itemRow) {
  itemRow_ = nullptr;  // emptying the boxes of a previous row must not write into any row
  for (const Line& line : lines_) {
    line.check->setChecked(false);
    line.description->clear();
    line.quantity->clear();
    line.make->setCurrentIndex(-1);
    line.make->setEditText(QString());
  }
  itemRow_ = itemRow;
}

void ItemRequirementBlock::write(const QString& column, const QVariant& value) {
  if (itemRow_) itemRow_->setValue(column, value);
}

void ItemRequirementBlock::quantityLeft(const Category& category, QLineEdit* box) {
  const QString text = box->text().trimmed();
  if (text.isEmpty()) {
    write(category.quantityColumn(), 0);  // an emptied box holds no quantity
    return;
  }
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  if (!digits.match(text).hasMatch()) {
    tell(QStringLiteral("Please use NUMBER(0 to 9) only...this quantity is not saved"), QStringLiteral("ALERT!"));
    return;
  }
  if (text.size() > 5 || text.toInt() > kMaxQuantity) {
    tell(QStringLiteral("Too much large quantity..not allowed"), QStringLiteral("Info.."));
    return;
  }
  write(category.quantityColumn(), text.toInt());
}

void ItemRequirementBlock::makeLeft(const Category& category, QComboBox* box) {
  const QString text = box->currentText();
  write(category.makeColumn(), textOrNothing(text));
  if (text.isEmpty()) tell(QStringLiteral("Please fill Manufacturer Name"), QStringLiteral("ALERT!"));
}

void ItemRequirementBlock::fillFromItemRow() {
  if (!itemRow_) return;
  for (int i = 0; i < kCategoryCount; ++i)
    if (itemRow_->value(categories()[size_t(i)].flagColumn()).toString() == QLatin1String("YES"))
      lines_[size_t(i)].check->setChecked(true);
  for (int i = 0; i < kCategoryCount; ++i) {
    const QString description = itemRow_->value(categories()[size_t(i)].descriptionColumn()).toString();
    if (!description.isEmpty()) lines_[size_t(i)].description->setText(description);
  }
  for (int i = 0; i < kCategoryCount; ++i) {
    const qint64 quantity = itemRow_->value(categories()[size_t(i)].quantityColumn()).toLongLong();
    if (quantity != 0) lines_[size_t(i)].quantity->setText(QString::number(quantity));
  }
  for (int i = 0; i < kCategoryCount; ++i) {
    const QString make = itemRow_->value(categories()[size_t(i)].makeColumn()).toString();
    if (!make.isEmpty()) lines_[size_t(i)].make->setEditText(make);
  }
}

ItemSummary ItemRequirementBlock::buildSummary() const {
  ItemSummary summary;
  for (const Line& line : lines_)
    if (!line.description->text().isEmpty()) summary.description += QStringLiteral("  ") + line.description->text().trimmed();
  if (itemRow_)
    for (const Category& category : categories()) summary.totalQuantity += itemRow_->value(category.quantityColumn()).toLongLong();
  for (const Line& line : lines_)
    if (!line.make->currentText().isEmpty()) summary.make += QStringLiteral("  ") + line.make->currentText().trimmed();
  return summary;
}
