#pragma once

#include <QString>

// How many lines a wrapped cell's text takes in a column `width` characters
// wide (a spreadsheet's width unit, a digit's width), wrapped at blanks as a
// spreadsheet program wraps it. Capitals and bold type count wider than
// digits, so the estimate errs towards a line to spare rather than a line cut.
int wrappedLineCount(const QString& text, double width, bool bold = false);

// A row's height in points for that many lines of the sheet's usual type,
// whose single line is `lineHeight` points high.
double rowHeightFor(int lines, double lineHeight);
