#pragma once

#include <QMap>
#include <QString>

// A filled workbook read back the way a spreadsheet program reads it: each
// cell of the report sheet with its kind, its value as shown in the file, and
// its number format.
struct SheetCell {
  enum class Kind { Number, Text };
  Kind kind;
  QString value;         // the number as written, or the text
  QString numberFormat;  // "General" unless the cell's format names another
};

struct WorkbookContent {
  QString error;                  // empty when the workbook was read
  QMap<QString, SheetCell> cells;  // by reference: "A3"
  QString dimension;
};

// The project's own reader: the first sheet, shared and inline strings, and
// the number formats of the cells.
WorkbookContent readWorkbook(const QString& path);

// The same workbook read by an independent program (openpyxl): "A3" ->
// "n:1" for a number, "s:text" for text, "d:2002-03-05 fmt:dd/mm/yy" for a
// date; or the reader's error.
QMap<QString, QString> readWithOpenpyxl(const QString& path, QString* error);

// How a spreadsheet program lays the report sheet out, as openpyxl reads it:
// "row:3" -> the row's height in points (absent: the usual height), "col:H" ->
// the column's width, "align:F3" and "format:F3" -> a filled cell's
// horizontal alignment and number format, "created" and "modified" -> the
// document's times (ISO, UTC).
QMap<QString, QString> readLayoutWithOpenpyxl(const QString& path, QString* error);
