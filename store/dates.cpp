#include "store/dates.h"

#include <QRegularExpression>

QDate dateFromInput(const QVariant& value) {
  if (value.typeId() == QMetaType::QDate) return value.toDate();
  if (value.typeId() == QMetaType::QDateTime) return value.toDateTime().date();
  const QString text = value.toString().trimmed();
  const QDate iso = QDate::fromString(text, Qt::ISODate);
  if (iso.isValid() && text.size() == 10) return iso;

  static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
  const auto m = dayFirst.match(text);
  if (!m.hasMatch()) return {};
  int year = m.captured(3).toInt();
  if (m.captured(3).size() == 2) year += year < kTwoDigitYearPivot ? 2000 : 1900;
  return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

QTime timeFromInput(const QVariant& value) {
  if (value.typeId() == QMetaType::QTime) return value.toTime();
  const QString text = value.toString().trimmed();
  QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
  if (!t.isValid()) t = QTime::fromString(text, QStringLiteral("H:mm"));
  return t;
}

QString storedDate(const QDate& date) { return date.toString(Qt::ISODate); }

QString storedTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

namespace {
QString shownAs(const QVariant& stored, const QString& pattern) {
  if (stored.isNull()) return {};
  const QDate d = dateFromInput(stored);
  return d.isValid() ? d.toString(pattern) : stored.toString();
}
}  // namespace

QString shownDate(const QVariant& stored) { return shownAs(stored, QStringLiteral("dd/MM/yy")); }

QString shownDateWithCentury(const QVariant& stored) { return shownAs(stored, QStringLiteral("dd/MM/yyyy")); }
