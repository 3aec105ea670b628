#pragma once

#include <QString>
#include <QVariant>
#include <vector>

class Connection;

// Document numbers name their documents across tables: an inquiry's number
// stands in its quotation, its summary and item rows and its address-book row.
bool isDocumentNumber(const QString& column);

struct CarriedNumber {
  QString table;
  int rows = 0;
};

// The tables, other than `except`, with rows whose `column` holds `number`
// (trimmed, in any letter case), and how many; tables without such rows are
// left out.
std::vector<CarriedNumber> rowsCarrying(Connection& connection, const QString& column, const QVariant& number,
                                        const QString& except);
