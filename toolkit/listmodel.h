#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <memory>

class Connection;
class ValueList;

// The drop-down list of a combo: values read page by page as the list is
// scrolled.
class ListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  ListModel(Connection& connection, const QString& sql, QObject* parent = nullptr);
  ~ListModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  std::unique_ptr<ValueList> list_;
  QStringList values_;
};
