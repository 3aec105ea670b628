// Writes the shipped report templates: a title in row 1, the column headings
// in row 2 (as high as their wrapped lines), office-ready widths, date columns
// formatted "dd/mm/yy", amounts right-aligned with their digits grouped, the
// headings frozen and repeated on every printed A4 landscape page.
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "reports/reportdefinitions.h"
#include "reports/wrappedlines.h"

namespace {

// Indian grouping: 1,50,000 and 1,23,45,678.
constexpr char kGroupedDigits[] = "[>=10000000]##\\,##\\,##\\,##0;[>=100000]##\\,##\\,##0;##,##0";
constexpr double kLineHeight = LXW_DEF_ROW_HEIGHT;
constexpr double kSerialWidth = 6;

bool writeTemplate(const std::string& folder, const char* file, const char* titleText, const std::vector<ReportColumn>& columns) {
  const std::string path = folder + "/" + file;
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (!workbook) return false;
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "REPORT");
  lxw_format* title = workbook_add_format(workbook);
  format_set_bold(title);
  format_set_font_size(title, 14);
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_bottom(heading, LXW_BORDER_THIN);
  format_set_text_wrap(heading);
  format_set_align(heading, LXW_ALIGN_VERTICAL_TOP);
  // Every cell of a record at the top of its row: a row as high as its
  // longest wrapped text reads across from there.
  const auto topAligned = [workbook] {
    lxw_format* format = workbook_add_format(workbook);
    format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    return format;
  };
  lxw_format* plain = topAligned();
  lxw_format* date = topAligned();
  format_set_num_format(date, "dd/mm/yy");
  lxw_format* text = topAligned();
  format_set_text_wrap(text);
  lxw_format* number = topAligned();
  format_set_num_format(number, kGroupedDigits);
  format_set_align(number, LXW_ALIGN_RIGHT);
  const auto columnFormat = [&](const ReportColumn& c) {
    switch (c.kind) {
      case ColumnKind::Date:
        return date;
      case ColumnKind::Number:
        return number;
      case ColumnKind::Text:
        break;
    }
    return text;
  };

  worksheet_write_string(sheet, 0, 0, titleText, title);
  worksheet_write_string(sheet, 1, 0, kSerialHeading, heading);
  worksheet_set_column(sheet, 0, 0, kSerialWidth, plain);
  int headingLines = wrappedLineCount(QString::fromLatin1(kSerialHeading), kSerialWidth, true);
  lxw_col_t column = 1;
  for (const ReportColumn& c : columns) {
    worksheet_write_string(sheet, 1, column, c.heading, heading);
    worksheet_set_column(sheet, column, column, c.width, columnFormat(c));
    headingLines = std::max(headingLines, wrappedLineCount(QString::fromLatin1(c.heading), c.width, true));
    ++column;
  }
  // A spreadsheet program keeps a row one line high unless told otherwise.
  worksheet_set_row(sheet, 1, rowHeightFor(headingLines, kLineHeight), nullptr);
  worksheet_freeze_panes(sheet, 2, 0);
  worksheet_set_landscape(sheet);
  worksheet_set_paper(sheet, 9);  // A4
  worksheet_repeat_rows(sheet, 0, 1);
  worksheet_fit_to_pages(sheet, 1, 0);
  return workbook_close(workbook) == LXW_NO_ERROR;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantora-templates FOLDER\n");
    return 2;
  }
  for (const ReportDefinition& report : reportDefinitions())
    if (!writeTemplate(argv[1], report.templateFile, report.templateTitle, report.columns)) {
      std::fprintf(stderr, "could not write %s\n", report.templateFile);
      return 1;
    }
  const ReportTemplate& followUp = followUpTemplate();
  if (!writeTemplate(argv[1], followUp.templateFile, followUp.templateTitle, followUp.columns)) {
    std::fprintf(stderr, "could not write %s\n", followUp.templateFile);
    return 1;
  }
  return 0;
}
