// Writes the shipped report templates: a title in row 1, the column headings
// in row 2, office-ready widths, date columns formatted "dd/mm/yy", the
// headings frozen and repeated on every printed A4 landscape page.
#include <xlsxwriter.h>

#include <cstdio>
#include <string>

#include "reports/reportdefinitions.h"

namespace {

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
  lxw_format* date = workbook_add_format(workbook);
  format_set_num_format(date, "dd/mm/yy");
  lxw_format* text = workbook_add_format(workbook);
  format_set_text_wrap(text);
  format_set_align(text, LXW_ALIGN_VERTICAL_TOP);

  worksheet_write_string(sheet, 0, 0, titleText, title);
  worksheet_write_string(sheet, 1, 0, kSerialHeading, heading);
  worksheet_set_column(sheet, 0, 0, 6, nullptr);
  lxw_col_t column = 1;
  for (const ReportColumn& c : columns) {
    worksheet_write_string(sheet, 1, column, c.heading, heading);
    worksheet_set_column(sheet, column, column, c.width, c.date ? date : (c.width >= 28 ? text : nullptr));
    ++column;
  }
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
