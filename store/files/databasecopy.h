#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

class Connection;

// Rows per table, in the order they were copied.
using TableCounts = std::vector<std::pair<QString, qint64>>;

// Told the rows copied so far and the rows to copy, a page at a time.
using CopyProgress = std::function<void(qint64 copied, qint64 total)>;

// Moves an office's data into a new database at `destination` (a file path or
// a server address), whichever engines the two use: every row of the ten
// tables with its key, and the change log as it stands, seals included, read
// from one snapshot of the source while other programs may go on saving. It is
// one transaction on a server and a file that appears only when complete: a
// failure leaves nothing. Refuses a destination that exists already (a file)
// or holds VANTORA's tables (a server database). Returns the rows copied,
// after checking they match the source's counts.
TableCounts copyDatabase(Connection& source, const QString& destination, const CopyProgress& progress = {});
