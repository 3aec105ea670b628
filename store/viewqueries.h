#pragma once

#include <QString>

#include "store/pagedquery.h"

// The browse lists, by the name of the data control that shows them ("adinq",
// "adinqclient", ...). Numbers are joined trimmed and in any letter case,
// through the expression indexes; a status is open unless it reads YES in any
// letter case. Each list reads its tables as they stood when it was (re)read.
SortedQuery viewQuery(const QString& dataControl);

// A whole table for correcting, in the order its edit grid shows it.
SortedQuery tableQuery(const QString& table);
