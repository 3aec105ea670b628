#pragma once

#include <QString>

class Connection;

// The list sources of the entry forms and the exact lookups of document
// numbers. Numbers compare case-insensitively after trimming, and always as
// bound values, so "A'1", "A%1" or "A_1" match only themselves.
namespace documentqueries {

// List sources for ValueList: ascending, distinct, never empty text.
// The distinct non-empty values of one column.
QString distinctValues(const QString& table, const QString& column);
// Inquiry numbers that no quotation refers to yet.
QString unquotedInquiries();

bool inquiryExists(Connection& connection, const QString& number);
bool isUnquotedInquiry(Connection& connection, const QString& number);
bool quotationExists(Connection& connection, const QString& number);

// Condition for RecordSet::openWhere: the column equals the bound number.
QString numberIs(const QString& column);

}  // namespace documentqueries
