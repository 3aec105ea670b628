#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
class Connection;

// One prepared SQL text. Values are always bound, never pasted into the text.
class Statement {
 public:
  Statement(Connection& connection, const QString& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void bind(int position, const QVariant& value);  // position counts from 1
  void bindAll(const QVariantList& values);
  bool step();  // true while a row is available
  void reset();

  int columnCount() const;
  QString columnName(int column) const;
  QVariant value(int column) const;

 private:
  Connection& connection_;
  sqlite3_stmt* stmt_ = nullptr;
};
