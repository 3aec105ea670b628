#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;

// A read-only query read a page at a time, so a list over a large table costs
// only what is shown. No statement stays open between pages: other windows can
// write meanwhile.
class PagedQuery {
 public:
  PagedQuery(Connection& connection, const QString& sql, const QVariantList& parameters = {});

  const QStringList& columnNames() const { return columns_; }
  int rowCount();  // counted once, again after refresh()
  QList<QVariantList> rows(int first, int count);
  void refresh() { counted_ = false; }

 private:
  Connection& connection_;
  QString sql_;
  QVariantList parameters_;
  QStringList columns_;
  int count_ = 0;
  bool counted_ = false;
};
