#include "tests/support/workbookreader.h"

#include <zip.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <pugixml.hpp>

namespace {

QByteArray entry(zip* archive, const char* name) {
  zip_stat_t stat;
  if (zip_stat(archive, name, 0, &stat) != 0) return {};
  zip_file_t* file = zip_fopen(archive, name, 0);
  QByteArray content(qsizetype(stat.size), '\0');
  zip_fread(file, content.data(), stat.size);
  zip_fclose(file);
  return content;
}

QString formatOf(const pugi::xml_document& styles, int style) {
  const pugi::xml_node xf = styles.child("styleSheet").child("cellXfs").find_child([&, i = 0](pugi::xml_node) mutable {
    return i++ == style;
  });
  const int id = xf.attribute("numFmtId").as_int();
  for (pugi::xml_node format : styles.child("styleSheet").child("numFmts").children("numFmt"))
    if (format.attribute("numFmtId").as_int() == id) return QString::fromUtf8(format.attribute("formatCode").value());
  return id == 0 ? QStringLiteral("General") : QStringLiteral("builtin %1").arg(id);
}

}  // namespace

WorkbookContent readWorkbook(const QString& path) {
  WorkbookContent content;
  int error = 0;
  zip* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (!archive) {
    content.error = QStringLiteral("not a zip package");
    return content;
  }
  pugi::xml_document sheet, strings, styles;
  const QByteArray sheetXml = entry(archive, "xl/worksheets/sheet1.xml");
  const QByteArray stringsXml = entry(archive, "xl/sharedStrings.xml");
  const QByteArray stylesXml = entry(archive, "xl/styles.xml");
  zip_close(archive);
  if (!sheet.load_buffer(sheetXml.constData(), size_t(sheetXml.size()), pugi::parse_default | pugi::parse_ws_pcdata_single) ||
      !styles.load_buffer(stylesXml.constData(), size_t(stylesXml.size()))) {
    content.error = QStringLiteral("unreadable sheet or formats");
    return content;
  }
  strings.load_buffer(stringsXml.constData(), size_t(stringsXml.size()), pugi::parse_default | pugi::parse_ws_pcdata_single);
  QStringList shared;
  for (pugi::xml_node item : strings.child("sst").children("si"))
    shared << QString::fromUtf8(item.child("t") ? item.child("t").text().get() : item.child("r").child("t").text().get());

  content.dimension = QString::fromUtf8(sheet.child("worksheet").child("dimension").attribute("ref").value());
  for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
    for (pugi::xml_node cell : row.children("c")) {
      const QString type = QString::fromUtf8(cell.attribute("t").value());
      SheetCell value{SheetCell::Kind::Number, QString(), formatOf(styles, cell.attribute("s").as_int())};
      if (type == QLatin1String("s")) {
        value.kind = SheetCell::Kind::Text;
        value.value = shared.value(cell.child("v").text().as_int());
      } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
        value.kind = SheetCell::Kind::Text;
        value.value = QString::fromUtf8(type == QLatin1String("str") ? cell.child("v").text().get()
                                                                      : cell.child("is").child("t").text().get());
      } else if (!cell.child("v")) {
        continue;  // a formatted cell without a value
      } else {
        value.value = QString::fromUtf8(cell.child("v").text().get());
      }
      content.cells.insert(QString::fromUtf8(cell.attribute("r").value()), value);
    }
  return content;
}

namespace {
// What a python script prints as one JSON object about the workbook, read as a map.
QMap<QString, QString> readWithPython(const char* script, const QString& path, QString* error) {
  QProcess python;
  python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
  python.waitForFinished(60000);
  QMap<QString, QString> values;
  if (python.exitCode() != 0) {
    *error = QString::fromUtf8(python.readAllStandardError());
    return values;
  }
  const QJsonObject read = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
  for (auto it = read.begin(); it != read.end(); ++it) values.insert(it.key(), it.value().toString());
  return values;
}
}  // namespace

QMap<QString, QString> readWithOpenpyxl(const QString& path, QString* error) {
  static const char kScript[] = R"(
import json, sys, datetime, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).active
cells = {}
for row in sheet.iter_rows():
    for c in row:
        if c.value is None: continue
        if isinstance(c.value, datetime.datetime): v = "d:" + c.value.date().isoformat() + " fmt:" + c.number_format
        elif isinstance(c.value, (int, float)): v = "n:" + str(c.value)
        else: v = "s:" + str(c.value)
        cells[c.coordinate] = v
print(json.dumps(cells))
)";
  return readWithPython(kScript, path, error);
}

QMap<QString, QString> readLayoutWithOpenpyxl(const QString& path, QString* error) {
  static const char kScript[] = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
sheet = book.active
layout = {"created": book.properties.created.isoformat(), "modified": book.properties.modified.isoformat()}
for number, row in sheet.row_dimensions.items():
    if row.height is not None: layout["row:%d" % number] = str(row.height)
for letter, column in sheet.column_dimensions.items():
    layout["col:" + letter] = str(column.width)
for row in sheet.iter_rows(min_row=3):
    for c in row:
        if c.value is None: continue
        layout["align:" + c.coordinate] = str(c.alignment.horizontal)
        layout["format:" + c.coordinate] = c.number_format
print(json.dumps(layout))
)";
  return readWithPython(kScript, path, error);
}
