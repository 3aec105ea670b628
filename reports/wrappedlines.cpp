#include "reports/wrappedlines.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kCellPadding = 1.0;  // characters lost to the cell's margins
constexpr double kBoldWidening = 1.1;
constexpr double kLinePadding = 2.0;  // points above and below the lines

// A character's width in digit widths, rounded up for the common faces.
double characterWidth(QChar c) {
  if (c == QLatin1Char(' ')) return 0.5;
  if (c == QLatin1Char('M') || c == QLatin1Char('W') || c == QLatin1Char('m') || c == QLatin1Char('w')) return 1.5;
  if (c.isUpper()) return 1.15;
  if (c.isLower() || c.isDigit()) return 1.0;
  return 0.6;  // punctuation
}

double widthOf(const QString& text, double scale) {
  double width = 0;
  for (QChar c : text) width += characterWidth(c) * scale;
  return width;
}

// Lines of one paragraph: words go on the line while they fit; a word wider
// than the column is broken where the column ends.
int paragraphLines(const QString& paragraph, double room, double scale) {
  int lines = 1;
  double used = 0;
  const QStringList words = paragraph.split(QLatin1Char(' '));
  for (qsizetype i = 0; i < words.size(); ++i) {
    const double blank = i > 0 ? characterWidth(QLatin1Char(' ')) * scale : 0;
    const double word = widthOf(words[i], scale);
    if (used + blank + word <= room) {
      used += blank + word;
      continue;
    }
    if (used > 0) ++lines;
    used = 0;
    for (QChar c : words[i]) {
      const double w = characterWidth(c) * scale;
      if (used + w > room && used > 0) {
        ++lines;
        used = 0;
      }
      used += w;
    }
  }
  return lines;
}

}  // namespace

int wrappedLineCount(const QString& text, double width, bool bold) {
  const double room = std::max(1.0, width - kCellPadding);
  const double scale = bold ? kBoldWidening : 1.0;
  int lines = 0;
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) lines += paragraphLines(paragraph, room, scale);
  return std::max(1, lines);
}

double rowHeightFor(int lines, double lineHeight) { return std::ceil(lines * lineHeight + kLinePadding); }
