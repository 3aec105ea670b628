#pragma once

#include <QString>
#include <vector>

#include "reports/workbookfiller.h"

class QWidget;

// Fills a new copy of a shipped template with the records `next` gives and
// shows it, as every report does: a new file of its own in the database's
// reports folder, a progress window (with Cancel) when it runs long, a warning
// when a sheet cannot hold every record.
void makeReportFile(QWidget* parent, const QString& databasePath, const QString& templateFile, const QString& title,
                    const std::vector<bool>& dateFields, const WorkbookFiller::NextRow& next);
