#pragma once

#include <QString>
#include <functional>

class Connection;

// Told while a database is brought up to date: which, and how many of its
// steps are done. The program shows a progress window, the tool a line.
using UpgradeProgress = std::function<void(const QString& database, int done, int total)>;
void setUpgradeProgress(UpgradeProgress progress);

// A file made by this version opens as it is. A file of the previous layout
// is brought up to date once, in one transaction; one made by a newer version,
// or one whose numbers stop the upgrade, is refused with a clear message.
void requireCurrentSchema(Connection& connection);
