#include "reports/sheetstyles.h"

#include <QRegularExpression>
#include <QString>
#include <sstream>


namespace {

const char kDayMonthYear[] = "dd/mm/yy";

// Built-in number formats that show dates (or times) in every locale.
bool builtInDateFormat(int id) { return (id >= 14 && id <= 22) || (id >= 45 && id <= 47); }

// A format code shows a date when, outside quoted text and [..] sections, it
// has day, month or year letters.
bool dateFormatCode(const QString& code) {
  static const QRegularExpression quotedOrBracketed(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\."));
  QString plain = code;
  plain.remove(quotedOrBracketed);
  static const QRegularExpression dayMonthOrYear(QStringLiteral("[dmyDMY]"));
  return plain.contains(dayMonthOrYear);
}

void setCount(pugi::xml_node list) {
  int count = 0;
  for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) ++count;
  if (list.attribute("count")) list.attribute("count").set_value(count);
}

}  // namespace

SheetStyles::SheetStyles(const QByteArray& stylesXml) {
  const pugi::xml_parse_result parsed =
      document_.load_buffer(stylesXml.constData(), size_t(stylesXml.size()), pugi::parse_default | pugi::parse_declaration);
  readable_ = parsed && document_.child("styleSheet").child("cellXfs");
}

pugi::xml_node SheetStyles::cellFormat(int style) const {
  int index = 0;
  for (pugi::xml_node xf : document_.child("styleSheet").child("cellXfs").children("xf"))
    if (index++ == style) return xf;
  return {};
}

bool SheetStyles::wrapsText(int style) const { return cellFormat(style).child("alignment").attribute("wrapText").as_bool(); }

bool SheetStyles::showsDates(int style) const {
  const pugi::xml_node xf = cellFormat(style);
  if (!xf) return false;
  const int format = xf.attribute("numFmtId").as_int();
  if (builtInDateFormat(format)) return true;
  for (pugi::xml_node custom : document_.child("styleSheet").child("numFmts").children("numFmt"))
    if (custom.attribute("numFmtId").as_int() == format)
      return dateFormatCode(QString::fromUtf8(custom.attribute("formatCode").value()));
  return false;
}

int SheetStyles::dayMonthYearFormat() {
  pugi::xml_node styleSheet = document_.child("styleSheet");
  pugi::xml_node formats = styleSheet.child("numFmts");
  int highest = 163;  // custom formats are numbered from 164
  for (pugi::xml_node format : formats.children("numFmt")) {
    if (QLatin1String(format.attribute("formatCode").value()) == QLatin1String(kDayMonthYear))
      return format.attribute("numFmtId").as_int();
    highest = std::max(highest, format.attribute("numFmtId").as_int());
  }
  if (!formats) {
    formats = styleSheet.prepend_child("numFmts");
    formats.append_attribute("count") = 0;
  }
  pugi::xml_node format = formats.append_child("numFmt");
  format.append_attribute("numFmtId") = highest + 1;
  format.append_attribute("formatCode") = kDayMonthYear;
  setCount(formats);
  return highest + 1;
}

int SheetStyles::dateStyle(int base) {
  const auto known = dateStyles_.find(base);
  if (known != dateStyles_.end()) return known->second;
  if (base >= 0 && showsDates(base)) return dateStyles_[base] = base;

  const int format = dayMonthYearFormat();
  pugi::xml_node formats = document_.child("styleSheet").child("cellXfs");
  pugi::xml_node original;
  int count = 0;
  for (pugi::xml_node xf : formats.children("xf")) {
    if (count == base) original = xf;
    ++count;
  }
  pugi::xml_node twin = original ? formats.append_copy(original) : formats.append_child("xf");
  for (const char* name : {"numFmtId", "applyNumberFormat"}) twin.remove_attribute(name);
  twin.append_attribute("numFmtId") = format;
  twin.append_attribute("applyNumberFormat") = 1;
  if (!original)
    for (const char* name : {"fontId", "fillId", "borderId", "xfId"}) twin.append_attribute(name) = 0;
  setCount(formats);
  changed_ = true;
  return dateStyles_[base] = count;
}

QByteArray SheetStyles::xml() const {
  std::ostringstream out;
  document_.save(out, "", pugi::format_raw);
  return QByteArray::fromStdString(out.str());
}
