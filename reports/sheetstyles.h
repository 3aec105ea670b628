#pragma once

#include <QByteArray>
#include <map>
#include <pugixml.hpp>

// The cell formats of a workbook (xl/styles.xml), enough to give a date cell
// a format that shows a date: the format it would have had, when that already
// shows dates, else the same format with "dd/mm/yy" as its number format;
// and to tell which formats wrap their text.
class SheetStyles {
 public:
  explicit SheetStyles(const QByteArray& stylesXml);
  bool readable() const { return readable_; }  // readable XML with cell formats

  bool wrapsText(int style) const;

  // The format index for a date cell whose column or row would give it `base` (-1: none).
  int dateStyle(int base);
  bool changed() const { return changed_; }
  QByteArray xml() const;

 private:
  pugi::xml_node cellFormat(int style) const;
  bool showsDates(int style) const;
  int dayMonthYearFormat();

  pugi::xml_document document_;
  std::map<int, int> dateStyles_;  // base -> its date twin
  bool changed_ = false;
  bool readable_ = false;
};
