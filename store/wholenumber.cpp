#include "store/wholenumber.h"

#include <QLocale>
#include <QRegularExpression>

QString groupedDigits(qint64 value) {
  static const QLocale office(QLocale::English, QLocale::India);
  return office.toString(value);
}

ParsedNumber parseWholeNumber(const QString& text, WholeNumberRange range) {
  static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
  const QString trimmed = text.trimmed();
  if (!digits.match(trimmed).hasMatch()) return {ParsedNumber::NotANumber, 0};
  bool ok = false;
  const qint64 value = trimmed.toLongLong(&ok);
  if (!ok || value < range.min || value > range.max) return {ParsedNumber::OutOfRange, 0};
  return {ParsedNumber::Ok, value};
}
