#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVariantList>
#include <optional>

// The change log's entries on a terminal or for another program: "text" keeps
// the fields side by side for reading, "tsv" gives one line of tab-separated
// fields per entry under a heading line (tabs, line breaks and backslashes in
// a value written as \t, \n, \r and \\), "json" an array of objects.
class ChangeLogPrinter {
 public:
  enum class Format { Text, Tsv, Json };
  static std::optional<Format> formatNamed(const QString& name);

  ChangeLogPrinter(QTextStream& out, Format format, const QStringList& fields);
  void print(const QVariantList& values);
  void finish();
  int printed() const { return printed_; }

 private:
  QTextStream& out_;
  Format format_;
  QStringList fields_;
  int printed_ = 0;
};
