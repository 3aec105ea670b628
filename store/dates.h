#pragma once

#include <QDate>
#include <QTime>
#include <QVariant>

// Dates are stored as ISO text and shown "dd/MM/yy". A two-digit year is read
// in the window 1950-2049: "49" is 2049, "50" is 1950.
inline constexpr int kTwoDigitYearPivot = 50;

QDate dateFromInput(const QVariant& value);  // QDate, ISO text or day-first "dd/mm/yy[yy]"; invalid when neither
QTime timeFromInput(const QVariant& value);
QString storedDate(const QDate& date);
QString storedTime(const QTime& time);
QString shownDate(const QVariant& stored);  // "dd/MM/yy", empty for no value
QString shownDateWithCentury(const QVariant& stored);  // "dd/MM/yyyy": what a date cell offers for editing
