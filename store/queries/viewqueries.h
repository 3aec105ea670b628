#pragma once

#include <QString>
#include <vector>

#include "store/queries/pagedquery.h"

struct ListIndex;

// The browse lists, by the name of the data control that shows them ("adinq",
// "adinqclient", ...). Numbers are joined trimmed and in any letter case,
// through the expression indexes; a status is open unless it reads YES in any
// letter case. Each list reads its tables as they stood when it was (re)read.
SortedQuery viewQuery(const QString& dataControl);
// Every list viewQuery knows, by name.
QStringList viewQueryNames();
// A list's order as it states it to the user, without what completes it.
std::vector<SortTerm> statedOrder(const QString& dataControl);

// A whole table for correcting, in the order its edit grid shows it.
SortedQuery tableQuery(const QString& table);
// The tables tableQuery serves.
QStringList correctedTables();

// The indexes that give each list above its first screen in its order.
std::vector<ListIndex> viewListIndexes();
