#include "documents/stockstatusframe.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "toolkit/controls.h"

StockStatusFrame::StockStatusFrame(QWidget* parent) : QGroupBox(QStringLiteral("Fill Stock Status"), parent) {
  setObjectName(QStringLiteral("framestockstatus"));
  auto* grid = new QGridLayout(this);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const Category& category = categories()[i];
    QCheckBox* box = boxes_[i] = new QCheckBox(this);
    box->setObjectName(QStringLiteral("chkstock") + category.suffix);
    box->setToolTip(QStringLiteral("IF STOCK IS AVAILABLE THEN RIGHT MARK THIS BOX BY CLICKING AT BOX...IF DO NOT HAVE "
                                   "STOCK LEAVE THIS BOX BLANK"));
    nameForReaders(box, category.caption + QStringLiteral(" IN STOCK"));
    // However the box changed (a click, Space, a screen reader's toggle), it stores what it shows.
    connect(box, &QCheckBox::toggled, this, [this, i] { changed_[i] = true; });
    // The box has no caption of its own; the category beside it says which it is.
    QLabel* label = makeLabel(this, category.caption);
    label->setBuddy(box);
    grid->addWidget(box, int(i), 0);
    grid->addWidget(label, int(i), 1);
  }
  grid->setColumnStretch(1, 1);
}

std::array<bool, kCategoryCount> StockStatusFrame::inStock() const {
  std::array<bool, kCategoryCount> ticked{};
  for (size_t i = 0; i < boxes_.size(); ++i) ticked[i] = boxes_[i]->isChecked();
  return ticked;
}

QVariantHash StockStatusFrame::columns() const {
  QVariantHash columns;
  for (size_t i = 0; i < boxes_.size(); ++i)
    if (changed_[i])
      columns.insert(QStringLiteral("stock") + categories()[i].suffix,
                     boxes_[i]->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO"));
  return columns;
}
