#include "store/textcharacters.h"

namespace {

bool pairAt(QStringView text, qsizetype i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

QString codeOf(char32_t code) { return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper(); }

// Marks, embeddings, overrides and isolates of the bidirectional algorithm.
bool turnsDirection(char32_t code) {
  return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

QString described(char32_t code) {
  switch (QChar::category(code)) {
    case QChar::Other_Control:
      if (code == '\t') return QStringLiteral("a tab");
      if (code == '\n' || code == '\r') return QStringLiteral("a line break");
      return QStringLiteral("a control character (%1)").arg(codeOf(code));
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
      return QStringLiteral("a line break (%1)").arg(codeOf(code));
    case QChar::Other_Format:
      if (turnsDirection(code)) return QStringLiteral("a character that turns the writing direction (%1)").arg(codeOf(code));
      return QStringLiteral("an invisible formatting character (%1)").arg(codeOf(code));
    default:
      return {};
  }
}

}  // namespace

qsizetype characterCount(QStringView text) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i, ++count)
    if (pairAt(text, i)) ++i;
  return count;
}

QString unsoundCharacter(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t code = text[i].unicode();
    if (pairAt(text, i)) {
      code = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    } else if (text[i].isSurrogate()) {
      return QStringLiteral("half of a broken character (%1)").arg(codeOf(code));
    }
    const QString why = described(code);
    if (!why.isEmpty()) return why;
  }
  return {};
}
