#pragma once

#include <QIdentityProxyModel>
#include <QSet>

// A model whose secret columns (passwords) show a fixed row of dots for a
// value and nothing for none, and tell a screen reader only which of the two
// it is: neither the secret nor its length shows until the cell is opened for
// editing, where the editor gets the value itself.
class SecretColumnsModel : public QIdentityProxyModel {
  Q_OBJECT

 public:
  SecretColumnsModel(QAbstractItemModel* source, QSet<int> secretColumns, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  QSet<int> secret_;
};
