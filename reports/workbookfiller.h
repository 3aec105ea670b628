#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

// Fills a copy of a report template: its report sheet (the one active when
// the template was last saved) gets one row per record from row 3 down,
// serial number in column 1, then the fields; rows 1 and 2, the column
// formats and everything else the office put in the template stay as they
// are. Text is written as text, numbers as numbers, dates as date cells shown
// "dd/mm/yy" unless the column's own format shows dates another way, and no
// value as an empty cell. The template itself is only read.
class WorkbookFiller {
 public:
  using NextRow = std::function<bool(QVariantList& fields)>;  // false when there are no more
  using KeepGoing = std::function<bool(int rowsSoFar)>;       // false cancels

  // The most records a sheet takes below its two heading rows.
  static constexpr int kMaxRows = 1048576 - 2;

  struct Result {
    int rows = 0;
    bool cutShort = false;  // more records than a sheet takes
    bool cancelled = false;
  };

  WorkbookFiller(const QString& templatePath, std::vector<bool> dateFields);

  // Writes the filled workbook to `destination`, a new file readable by its
  // owner only. A template that cannot be read or is not a workbook, or a
  // destination that cannot be written, is a Refusal naming the file; nothing
  // is left at the destination then, nor when cancelled.
  Result write(const QString& destination, const NextRow& next, const KeepGoing& keepGoing) const;

 private:
  QString templatePath_;
  std::vector<bool> dateFields_;
};
