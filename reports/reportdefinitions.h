#pragma once

#include <vector>

#include "store/queries/reportqueries.h"

// What a report column holds, which decides its format in the shipped template.
enum class ColumnKind {
  Text,    // wrapped: a long value takes more lines, never the next cell
  Date,    // dd/mm/yy
  Number,  // amounts and quantities: right-aligned, digits grouped as in India (12,34,567)
};

// One column of a report after the serial number: its heading in the
// template, the field it shows, what it holds, and its width.
struct ReportColumn {
  const char* heading;
  const char* field;
  ColumnKind kind;
  double width;  // in characters, for the shipped template

  bool isDate() const { return kind == ColumnKind::Date; }
};

// A follow-up report as data: its form, its captions, its query, its
// template and where each field goes (column 2 onwards; column 1 is the
// serial number).
struct ReportDefinition {
  const char* form;
  const char* windowTitle;
  const char* heading;
  const char* generateCaption;
  const char* templateFile;
  const char* templateTitle;  // row 1 of the shipped template
  ReportQuery query;
  std::vector<ReportColumn> columns;
};

const std::vector<ReportDefinition>& reportDefinitions();

// A shipped template that belongs to no report form of its own.
struct ReportTemplate {
  const char* templateFile;
  const char* templateTitle;
  std::vector<ReportColumn> columns;
};

// The follow-up board's list: the documents of the chosen cell.
const ReportTemplate& followUpTemplate();

inline constexpr char kSerialHeading[] = "S.No.";
