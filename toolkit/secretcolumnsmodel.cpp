#include "toolkit/secretcolumnsmodel.h"

namespace {
constexpr int kDots = 8;
}

SecretColumnsModel::SecretColumnsModel(QAbstractItemModel* source, QSet<int> secretColumns, QObject* parent)
    : QIdentityProxyModel(parent), secret_(std::move(secretColumns)) {
  setSourceModel(source);
}

QVariant SecretColumnsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !secret_.contains(index.column())) return QIdentityProxyModel::data(index, role);
  if (role == Qt::EditRole) return QIdentityProxyModel::data(index, role);
  const bool none = QIdentityProxyModel::data(index, Qt::EditRole).toString().isEmpty();
  if (role == Qt::DisplayRole) return none ? QString() : QString(kDots, QChar(0x25CF));
  if (role == Qt::AccessibleTextRole) return none ? QStringLiteral("none") : QStringLiteral("hidden");
  return {};  // no tooltip or other text that could carry it
}
