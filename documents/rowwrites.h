#pragma once

#include <QString>
#include <initializer_list>

class RecordSet;
struct ItemSummary;

// Writes shared by the entry forms. What a box shows is what its columns hold:
// an empty box leaves no value.
void writeToRows(std::initializer_list<RecordSet*> rows, const QString& column, const QString& text);

// A rate or amount box left by the user: a 32-bit whole number, or a message
// and nothing written. An empty box clears the column.
void writeWholeNumber(RecordSet& row, const QString& column, const QString& text, const QString& what);

// The summary total must fit its 16-bit column; tells the user when not.
bool checkTotalQuantity(const ItemSummary& summary);

void writeSummary(RecordSet& summaryRow, const ItemSummary& summary);
