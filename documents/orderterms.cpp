#include "documents/orderterms.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "store/schema.h"
#include "toolkit/boxvalues.h"
#include "toolkit/controls.h"
#include "toolkit/keyfilters.h"
#include "toolkit/prompter.h"

namespace {

const QString kListTip =
    QStringLiteral("choose one from list..use mouse at SCROLL BAR or use  DOWN ARROW KEY");
const QString kValue = QStringLiteral("PO VALUE");

QVariant chosen(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? QVariant() : QVariant(selected.front()->text());
}

}  // namespace

OrderTerms::OrderTerms(QWidget* parent) : QGroupBox(QStringLiteral("TAX/TERMS"), parent) {
  setObjectName(QStringLiteral("frametax"));
  new QGridLayout(this);
  taxMode_ = addList(QStringLiteral("listtaxmode"), QStringLiteral("TAX MODE"),
                     {QStringLiteral("All Inclusive"), QStringLiteral("4 % Against Form 'C'"), QStringLiteral("Sale OF L.R.")},
                     QStringLiteral("Please choose One Tax Mode"));
  invoicing_ = addList(QStringLiteral("listinvoiceing"), QStringLiteral("INVOICING"),
                       {QStringLiteral("Commercial."), QStringLiteral("Excise")},
                       QStringLiteral("Please choose One INVOICEING Mode"));
  freight_ = addList(QStringLiteral("listpffreight"), QStringLiteral("P/F/Freight "),
                     {QStringLiteral("Inclusive"), QStringLiteral("Extra TO Charge")},
                     QStringLiteral("Please choose One P/F/Freight Mode "));

  paymentTerm_ = makeListCombo(this, QStringLiteral("compayterm"),
                               QStringLiteral("CHOOSE FROM LIST OR WRITE NEW PAYMENT TERM IF OPTION IS NOT IN LIST.."),
                               nullptr);
  paymentTerm_->addItems({QStringLiteral("100 % Against Delivery"), QStringLiteral("90% Advance and 10% Against P.B.G."),
                          QStringLiteral("Within 7 Days"), QStringLiteral("Within 15 Days"),
                          QStringLiteral("Within 30 Days"), QStringLiteral("Within 45 Days"),
                          QStringLiteral("Within 60 Days")});
  paymentTerm_->setCurrentIndex(-1);
  limitTextLength(paymentTerm_, textLimit(QStringLiteral("tpo"), QStringLiteral("paymentterm")));
  onFocusLeave(paymentTerm_, [this] {
    if (paymentTerm_->currentText().isEmpty())
      tell(QStringLiteral("Please choose or write Payment Term"), QStringLiteral("ALERT!"));
  });

  // No key filter here: the value is judged when the box is left, and at SAVE.
  value_ = makeTextBox(this, QStringLiteral("txtpovalue"), QStringLiteral("MENTIONED IN Purchase Order GOT FROM PARTY"));
  limitTextLength(value_, kDigitBoxLength);
  onFocusLeave(value_, [this] { boxAmount(value_->text(), kValue); });

  auto* grid = static_cast<QGridLayout*>(layout());
  const int row = grid->rowCount();
  grid->addWidget(makeLabelFor(this, QStringLiteral("PAYMENT TERM"), paymentTerm_), row, 0);
  grid->addWidget(paymentTerm_, row, 1);
  grid->addWidget(makeLabelFor(this, kValue, value_), row + 1, 0);
  grid->addWidget(value_, row + 1, 1);
}

QListWidget* OrderTerms::addList(const QString& name, const QString& label, const QStringList& items,
                                 const QString& unchosen) {
  auto* list = new QListWidget(this);
  list->setObjectName(name);
  list->setToolTip(kListTip);
  list->addItems(items);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // No taller than its items need: a short fixed list does not scroll.
  list->setMaximumHeight(qMax(list->minimumSizeHint().height(),
                              list->sizeHintForRow(0) * int(items.size()) + 2 * list->frameWidth() + 4));
  onFocusLeave(list, [list, unchosen] {
    if (list->selectedItems().isEmpty()) tell(unchosen, QStringLiteral("ALERT!"));
  });
  auto* grid = static_cast<QGridLayout*>(layout());
  const int row = grid->rowCount();
  grid->addWidget(makeLabelFor(this, label, list), row, 0, Qt::AlignTop);
  grid->addWidget(list, row, 1);
  return list;
}

QVariantHash OrderTerms::columns() const {
  return {{QStringLiteral("taxmode"), chosen(taxMode_)},
          {QStringLiteral("invoicemode"), chosen(invoicing_)},
          {QStringLiteral("pnfnfreight"), chosen(freight_)},
          {QStringLiteral("paymentterm"), boxText(paymentTerm_->currentText())},
          {QStringLiteral("povalue"), boxAmount(value_->text(), kValue)}};
}
