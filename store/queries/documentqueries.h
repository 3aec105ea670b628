#pragma once

#include <QString>
#include <functional>

#include "store/documentchain.h"

class Connection;
class SqlDialect;

// List sources and lookup conditions of the entry forms. Numbers compare
// case-insensitively after trimming, and always as bound values, so "A'1",
// "A%1" or "A_1" match only themselves.
namespace documentqueries {

// List source for ValueList: the distinct non-empty values of one column in
// the office's alphabetical order (letter case ignored, then the exact text),
// read off the column's list index in the engine's dialect.
QString distinctValues(const QString& table, const QString& column, const SqlDialect& dialect);
// The same over the rows of `from` that meet `condition`; through an index on
// the condition's columns, then the column folded, then as written, each term
// ordered as `ascending` words it (as the index was made, so that the server
// reads the index rather than sorting).
QString distinctValuesOf(const QString& from, const QString& column, const QString& condition,
                         const std::function<QString(const QString&)>& ascending);

// A row of the table holds exactly this value in the column, as a list of
// distinct values would offer it.
bool holdsValue(Connection& connection, const QString& table, const QString& column, const QString& value);

// Condition for RecordSet::openWhere: the column equals the bound number.
QString numberIs(const QString& column);

}  // namespace documentqueries

// List source (ValueList SQL) of the open parents of a step, in the office's alphabetical order.
QString openParentsList(Step step);
