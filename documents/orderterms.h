#pragma once

#include <QGroupBox>
#include <QVariantHash>

class QComboBox;
class QLineEdit;
class QListWidget;

// The TAX/TERMS frame of a purchase order: three fixed lists, the payment
// term (a list item or typed), and the order's value.
class OrderTerms : public QGroupBox {
  Q_OBJECT

 public:
  explicit OrderTerms(QWidget* parent);

  // taxmode, invoicemode, pnfnfreight, paymentterm and povalue as the frame
  // shows them; a value that cannot be stored is a Refusal.
  QVariantHash columns() const;

 private:
  QListWidget* addList(const QString& name, const QString& label, const QStringList& items, const QString& unchosen);

  QListWidget* taxMode_;
  QListWidget* invoicing_;
  QListWidget* freight_;
  QComboBox* paymentTerm_;
  QLineEdit* value_;
};
