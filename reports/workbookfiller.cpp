#include "reports/workbookfiller.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <pugixml.hpp>
#include <sstream>
#include <string>

#include "reports/sheetstyles.h"
#include "reports/wrappedlines.h"
#include "reports/xlsxpackage.h"
#include "store/basics/completefile.h"
#include "store/basics/owneronlyfile.h"
#include "store/dates.h"
#include "toolkit/refusal.h"

namespace {

constexpr int kFirstRow = 3;
constexpr int kProgressEvery = 1000;

struct Cancelled {};

[[noreturn]] void damaged(const QString& templatePath, const QString& why) {
  throw Refusal{QStringLiteral("The report template %1 is damaged: %2. Put the shipped template back, or save it again "
                               "from a spreadsheet program.")
                    .arg(templatePath, why),
                QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
}

pugi::xml_document parsed(const QByteArray& xml, const QString& part, const QString& templatePath) {
  pugi::xml_document document;
  // Whitespace alone in a cell's text is the cell's text.
  const unsigned flags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
  if (!document.load_buffer(xml.constData(), size_t(xml.size()), flags))
    damaged(templatePath, QStringLiteral("%1 is not readable XML").arg(part));
  return document;
}

QByteArray serialized(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, "", pugi::format_raw);
  return QByteArray::fromStdString(out.str());
}

QString columnName(int column) {  // 1 -> A, 27 -> AA
  QString name;
  for (; column > 0; column = (column - 1) / 26) name.prepend(QChar('A' + (column - 1) % 26));
  return name;
}

int columnNumber(const char* reference) {  // "C7" -> 3
  int column = 0;
  for (; *reference >= 'A' && *reference <= 'Z'; ++reference) column = column * 26 + (*reference - 'A' + 1);
  return column;
}

QString attributeEndingIn(pugi::xml_node node, const char* suffix) {
  for (pugi::xml_attribute attribute : node.attributes())
    if (QByteArray(attribute.name()).endsWith(suffix)) return QString::fromUtf8(attribute.value());
  return {};
}

// The report sheet: the one active when the template was saved.
QString reportSheetPart(XlsxPackage& package, const QString& templatePath) {
  const pugi::xml_document workbook = parsed(package.read("xl/workbook.xml"), "xl/workbook.xml", templatePath);
  const int active = workbook.child("workbook").child("bookViews").child("workbookView").attribute("activeTab").as_int();
  pugi::xml_node sheet = workbook.child("workbook").child("sheets").first_child();
  for (int i = 0; i < active && sheet.next_sibling(); ++i) sheet = sheet.next_sibling();
  const QString id = attributeEndingIn(sheet, ":id");
  if (id.isEmpty()) damaged(templatePath, QStringLiteral("it holds no sheet"));
  const pugi::xml_document relations =
      parsed(package.read("xl/_rels/workbook.xml.rels"), "xl/_rels/workbook.xml.rels", templatePath);
  for (pugi::xml_node relation : relations.child("Relationships").children("Relationship"))
    if (QString::fromUtf8(relation.attribute("Id").value()) == id) {
      const QString target = QString::fromUtf8(relation.attribute("Target").value());
      return target.startsWith('/') ? target.mid(1) : QStringLiteral("xl/") + target;
    }
  damaged(templatePath, QStringLiteral("its sheet %1 is missing").arg(id));
}

// The chain of formula cells names cells that the rows written here replace;
// without it a spreadsheet program rebuilds it.
void dropCalculationChain(XlsxPackage& package, const QString& templatePath) {
  if (!package.has("xl/calcChain.xml")) return;
  package.remove("xl/calcChain.xml");
  pugi::xml_document relations =
      parsed(package.read("xl/_rels/workbook.xml.rels"), "xl/_rels/workbook.xml.rels", templatePath);
  pugi::xml_node list = relations.child("Relationships");
  for (pugi::xml_node relation : list.children("Relationship"))
    if (QByteArray(relation.attribute("Type").value()).endsWith("/calcChain")) {
      list.remove_child(relation);
      break;
    }
  package.replace("xl/_rels/workbook.xml.rels", serialized(relations));
  pugi::xml_document types = parsed(package.read("[Content_Types].xml"), "[Content_Types].xml", templatePath);
  for (pugi::xml_node part : types.child("Types").children("Override"))
    if (QLatin1String(part.attribute("PartName").value()) == QLatin1String("/xl/calcChain.xml")) {
      types.child("Types").remove_child(part);
      break;
    }
  package.replace("[Content_Types].xml", serialized(types));
}

// The format each column's cells take: the template's first row below the
// headings, else its row format, else the column's own format; -1 for none.
std::map<int, int> templateCellStyles(pugi::xml_node worksheet, pugi::xml_node firstFreeRow) {
  std::map<int, int> styles;
  for (pugi::xml_node column : worksheet.child("cols").children("col"))
    if (column.attribute("style"))
      for (int c = column.attribute("min").as_int(); c <= column.attribute("max").as_int() && c <= 256; ++c)
        styles[c] = column.attribute("style").as_int();
  if (firstFreeRow && firstFreeRow.attribute("customFormat").as_bool())
    for (int c = 1; c <= 256; ++c) styles[c] = firstFreeRow.attribute("s").as_int();
  for (pugi::xml_node cell : firstFreeRow.children("c"))
    if (cell.attribute("s")) styles[columnNumber(cell.attribute("r").value())] = cell.attribute("s").as_int();
  return styles;
}

// The columns whose format wraps text, with their widths: a row as high as
// the most lines one of its cells wraps into, since a spreadsheet program
// keeps a row one line high unless told otherwise.
struct WrappedColumns {
  std::map<int, double> widths;  // column -> width in characters
  double lineHeight = 15;        // points: the sheet's one-line row
};

WrappedColumns wrappedColumns(pugi::xml_node worksheet, const std::map<int, int>& styles, const SheetStyles& formats) {
  WrappedColumns wrapped;
  const pugi::xml_node sheetFormat = worksheet.child("sheetFormatPr");
  wrapped.lineHeight = sheetFormat.attribute("defaultRowHeight").as_double(15);
  const double defaultWidth = sheetFormat.attribute("defaultColWidth").as_double(8.43);
  std::map<int, double> widths;
  for (pugi::xml_node column : worksheet.child("cols").children("col"))
    for (int c = column.attribute("min").as_int(); c <= column.attribute("max").as_int() && c <= 256; ++c)
      widths[c] = column.attribute("width").as_double(defaultWidth);
  for (const auto& [column, style] : styles)
    if (formats.wrapsText(style)) wrapped.widths[column] = widths.count(column) ? widths[column] : defaultWidth;
  return wrapped;
}

// The workbook made now, not when its template was: the creation and change
// times of its document properties.
void stampCreationTime(XlsxPackage& package, const QString& templatePath, const QDateTime& now) {
  const QString part = QStringLiteral("docProps/core.xml");
  if (!package.has(part)) return;
  pugi::xml_document core = parsed(package.read(part), part, templatePath);
  const QByteArray stamp = now.toUTC().toString(Qt::ISODate).toUtf8();
  for (pugi::xml_node property : core.document_element().children()) {
    const QByteArray name(property.name());
    if (name.endsWith(":created") || name.endsWith(":modified")) property.text() = stamp.constData();
  }
  package.replace(part, serialized(core));
}

// XML 1.0 takes no control characters but tab, line feed and carriage return.
QByteArray cellText(const QString& text) {
  QString clean = text;
  for (QChar& c : clean)
    if (c.unicode() < 0x20 && c != '\t' && c != '\n' && c != '\r') c = ' ';
  return clean.toUtf8();
}

// The rows go to a scratch file as they are read and leave memory at once,
// so a report of a million rows needs no more memory than one of a thousand.
class RowsFile : public pugi::xml_writer {
 public:
  explicit RowsFile(const QString& path) : file_(path) {
    createOwnerOnlyFile(path);
    if (!file_.open(QIODevice::WriteOnly)) fail();
  }
  ~RowsFile() override {
    file_.close();
    QFile::remove(file_.fileName());
  }
  RowsFile(const RowsFile&) = delete;
  RowsFile& operator=(const RowsFile&) = delete;

  void write(const void* data, size_t size) override {
    if (file_.write(static_cast<const char*>(data), qint64(size)) != qint64(size)) fail();
  }
  void write(const QByteArray& bytes) { write(bytes.constData(), size_t(bytes.size())); }
  // Writes over bytes already written, then goes on at the end.
  void overwrite(qint64 at, const QByteArray& bytes) {
    const qint64 end = file_.pos();
    file_.seek(at);
    write(bytes);
    file_.seek(end);
  }
  void finish() {
    if (!file_.flush()) fail();
  }
  QString path() const { return file_.fileName(); }

 private:
  [[noreturn]] void fail() const {
    // The folder, not the scratch file: that is gone once the message shows.
    throw Refusal{QStringLiteral("The report cannot be written in the folder %1: %2.")
                      .arg(QFileInfo(file_.fileName()).absolutePath(), file_.errorString()),
                  QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
  }

  QFile file_;
};

class SheetWriter {
 public:
  SheetWriter(RowsFile& out, std::map<int, int> styles, SheetStyles& formats, WrappedColumns wrapped,
              const std::vector<bool>& dates)
      : out_(out), styles_(std::move(styles)), formats_(formats), wrapped_(std::move(wrapped)), dates_(dates) {}

  void add(int rowNumber, int serial, const QVariantList& fields) {
    scratch_.reset();
    pugi::xml_node row = scratch_.append_child("row");
    row.append_attribute("r") = rowNumber;
    lines_ = 1;
    number(row, rowNumber, 1, serial, style(1));
    for (int i = 0; i < fields.size(); ++i) {
      const QVariant& value = fields[i];
      const int column = i + 2;
      if (value.isNull()) continue;
      if (size_t(i) < dates_.size() && dates_[size_t(i)]) {
        const QDate day = dateFromInput(value);
        if (day.isValid()) {
          number(row, rowNumber, column, day.toJulianDay() - QDate(1899, 12, 30).toJulianDay(),
                 formats_.dateStyle(style(column)));
          continue;
        }
      }
      if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        number(row, rowNumber, column, value.toLongLong(), style(column));
      else if (value.typeId() == QMetaType::Double)
        number(row, rowNumber, column, value.toDouble(), style(column));
      else
        text(row, rowNumber, column, value.toString(), style(column));
    }
    if (lines_ > 1) {
      row.append_attribute("ht") = rowHeightFor(lines_, wrapped_.lineHeight);
      row.append_attribute("customHeight") = 1;
    }
    row.print(out_, "", pugi::format_raw);
  }

 private:
  int style(int column) const {
    const auto found = styles_.find(column);
    return found == styles_.end() ? -1 : found->second;
  }

  pugi::xml_node cell(pugi::xml_node row, int rowNumber, int column, int style) {
    pugi::xml_node c = row.append_child("c");
    while (int(columnNames_.size()) <= column) columnNames_.push_back(columnName(int(columnNames_.size())).toStdString());
    c.append_attribute("r") = (columnNames_[size_t(column)] + std::to_string(rowNumber)).c_str();
    if (style >= 0) c.append_attribute("s") = style;
    return c;
  }
  template <typename Number>
  void number(pugi::xml_node row, int rowNumber, int column, Number value, int style) {
    cell(row, rowNumber, column, style).append_child("v").text() = value;
  }
  void text(pugi::xml_node row, int rowNumber, int column, const QString& value, int style) {
    pugi::xml_node c = cell(row, rowNumber, column, style);
    c.append_attribute("t") = "inlineStr";
    pugi::xml_node t = c.append_child("is").append_child("t");
    if (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()))
      t.append_attribute("xml:space") = "preserve";  // the summaries begin with blanks
    t.text() = cellText(value).constData();
    const auto wraps = wrapped_.widths.find(column);
    if (wraps != wrapped_.widths.end()) lines_ = std::max(lines_, wrappedLineCount(value, wraps->second));
  }

  RowsFile& out_;
  pugi::xml_document scratch_;  // the row being written
  std::vector<std::string> columnNames_;  // "A", "B", ... by column number
  std::map<int, int> styles_;
  SheetStyles& formats_;
  WrappedColumns wrapped_;
  const std::vector<bool>& dates_;
  int lines_ = 1;  // of the row being written
};

// The sheet's XML around its rows: the template's rows 1 and 2 before them,
// whatever follows the cells after them. The size the sheet declares comes
// before the rows but is known only after them, so the text holds a mark of
// the longest size's length, written over at the end.
struct SheetFrame {
  QByteArray before;
  QByteArray after;
  qsizetype sizeAt = -1;  // of the mark in `before`; -1 when the sheet declares no size
};

constexpr char kRowsMark[] = "vantora-rows";
constexpr char kSizeMark[] = "A1:XFD1048576";  // as long as any size a sheet can have

SheetFrame frameOf(pugi::xml_document& sheet, pugi::xml_node sheetData, const QString& templatePath) {
  sheetData.append_child(kRowsMark);
  pugi::xml_node dimension = sheet.child("worksheet").child("dimension");
  if (dimension) {
    if (!dimension.attribute("ref")) dimension.append_attribute("ref");
    dimension.attribute("ref").set_value(kSizeMark);
  }
  const QByteArray whole = serialized(sheet);
  const QByteArray rowsMark = QByteArray("<") + kRowsMark;
  const qsizetype at = whole.indexOf(rowsMark);
  const qsizetype end = whole.indexOf("/>", at);
  if (at < 0 || end < 0) damaged(templatePath, QStringLiteral("its report sheet cannot be filled"));
  SheetFrame frame{whole.left(at), whole.mid(end + 2), -1};
  if (dimension) frame.sizeAt = frame.before.indexOf(QByteArray("\"") + kSizeMark + '"') + 1;
  return frame;
}

// The declared size in place of the mark: the value, its closing quote, then
// blanks, which XML allows between a tag's attributes.
QByteArray sizeInPlaceOfMark(const QString& size) {
  QByteArray text = size.toLatin1() + '"';
  return text.leftJustified(qsizetype(sizeof kSizeMark), ' ');
}

}  // namespace

WorkbookFiller::WorkbookFiller(const QString& templatePath, std::vector<bool> dateFields)
    : templatePath_(templatePath), dateFields_(std::move(dateFields)) {}

WorkbookFiller::Result WorkbookFiller::write(const QString& destination, const NextRow& next,
                                             const KeepGoing& keepGoing) const {
  QFile templateFile(templatePath_);
  if (!templateFile.open(QIODevice::ReadOnly))
    throw Refusal{QStringLiteral("The report template %1 cannot be read: %2.").arg(templatePath_, templateFile.errorString()),
                  QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
  const QByteArray templateBytes = templateFile.readAll();

  Result result;
  try {
    writeCompleteFile(destination, [&](const QString& partial) {
      createOwnerOnlyFile(partial);
      QFile copy(partial);
      if (!copy.open(QIODevice::WriteOnly) || copy.write(templateBytes) != templateBytes.size() || !copy.flush())
        throw Refusal{QStringLiteral("The report %1 cannot be written: %2.").arg(destination, copy.errorString()),
                      QStringLiteral("ALERT!!!"), Prompter::Icon::Error};
      copy.close();

      XlsxPackage package(partial, templatePath_);
      const QString sheetPart = reportSheetPart(package, templatePath_);
      pugi::xml_document sheet = parsed(package.read(sheetPart), sheetPart, templatePath_);
      SheetStyles formats(package.read("xl/styles.xml"));
      if (!formats.readable()) damaged(templatePath_, QStringLiteral("its cell formats (xl/styles.xml) are not readable"));
      pugi::xml_node worksheet = sheet.child("worksheet");
      pugi::xml_node sheetData = worksheet.child("sheetData");
      if (!sheetData) damaged(templatePath_, QStringLiteral("its report sheet has no cells"));

      // Rows 1 and 2 are the template's; whatever lies below is replaced.
      pugi::xml_document firstFree;  // the first of those rows, kept aside for its formats
      for (pugi::xml_node row = sheetData.first_child(); row;) {
        const pugi::xml_node following = row.next_sibling();
        if (row.attribute("r").as_int() >= kFirstRow) {
          if (!firstFree.first_child()) firstFree.append_copy(row);
          sheetData.remove_child(row);
        }
        row = following;
      }
      const std::map<int, int> styles = templateCellStyles(worksheet, firstFree.first_child());
      const WrappedColumns wrapped = wrappedColumns(worksheet, styles, formats);
      const SheetFrame frame = frameOf(sheet, sheetData, templatePath_);
      RowsFile out(partial + QStringLiteral("-sheet.vantora-partial"));
      out.write(frame.before);
      SheetWriter writer(out, styles, formats, wrapped, dateFields_);

      QVariantList fields;
      while (next(fields)) {
        if (result.rows == kMaxRows) {
          result.cutShort = true;
          break;
        }
        ++result.rows;
        writer.add(kFirstRow + result.rows - 1, result.rows, fields);
        if (result.rows % kProgressEvery == 0 && !keepGoing(result.rows)) throw Cancelled{};
      }
      out.write(frame.after);
      if (frame.sizeAt >= 0)
        out.overwrite(frame.sizeAt, sizeInPlaceOfMark(QStringLiteral("A1:") + columnName(int(dateFields_.size()) + 1) +
                                                      QString::number(std::max(2, result.rows + 2))));
      out.finish();
      package.replaceFromFile(sheetPart, out.path());
      if (formats.changed()) package.replace("xl/styles.xml", formats.xml());
      dropCalculationChain(package, templatePath_);
      stampCreationTime(package, templatePath_, QDateTime::currentDateTime());
      package.commit(destination);
    });
  } catch (const Cancelled&) {
    result.cancelled = true;
  }
  return result;
}
