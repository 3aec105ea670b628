#pragma once

#include <QString>

struct WholeNumberRange {
  qint64 min;
  qint64 max;
};

inline constexpr WholeNumberRange kInt16Range{-32768, 32767};
inline constexpr WholeNumberRange kInt32Range{-2147483648LL, 2147483647LL};

struct ParsedNumber {
  enum Status { Ok, NotANumber, OutOfRange };
  Status status;
  qint64 value;
};

// The office's digit grouping, as amounts are read in India: 12,34,567.
QString groupedDigits(qint64 value);

// Reads text typed by a user (blanks around it ignored) as a whole number.
ParsedNumber parseWholeNumber(const QString& text, WholeNumberRange range);
