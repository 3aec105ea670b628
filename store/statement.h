#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "store/engine/engine.h"

class Connection;

// One prepared SQL text. Values are always bound, never pasted into the text.
class Statement {
 public:
  Statement(Connection& connection, const QString& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void bind(int position, const QVariant& value) { engine_->bind(position, value); }  // position counts from 1
  void bindAll(const QVariantList& values);
  bool step() { return engine_->step(); }  // true while a row is available
  void reset() { engine_->reset(); }

  int columnCount() const { return engine_->columnCount(); }
  QString columnName(int column) const { return engine_->columnName(column); }
  QStringList columnNames() const;
  QVariant value(int column) const { return engine_->value(column); }
  bool appendText(int column, QByteArray& out) const { return engine_->appendText(column, out); }

 private:
  std::unique_ptr<EngineStatement> engine_;
};
