#pragma once

#include <QString>

// List sources and lookup conditions of the entry forms. Numbers compare
// case-insensitively after trimming, and always as bound values, so "A'1",
// "A%1" or "A_1" match only themselves.
namespace documentqueries {

// List source for ValueList: the distinct non-empty values of one column, ascending.
QString distinctValues(const QString& table, const QString& column);

// Condition for RecordSet::openWhere: the column equals the bound number.
QString numberIs(const QString& column);

}  // namespace documentqueries
