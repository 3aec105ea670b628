#pragma once

#include <QString>
#include <QStringList>

#include "store/queries/opendocuments.h"

class Connection;

// The follow-up board's counts and sums, kept as each row is written so that
// reading them does not grow with the database. tfollowupopen holds each open
// document of a stage with the date it is aged from ('' for none) and its
// value; tfollowuptotal holds, per stage and date, how many and for how much.
// Triggers on the document tables recompute a document's row whenever a row
// that decides its openness, date or value is written, by the shared open
// condition; triggers on tfollowupopen add to and take from the totals. The
// board buckets the totals' dates by the day it is read, and lists a cell's
// documents through tfollowupopen.

// The tables, filled from the rows present, then the triggers.
void createFollowUpBookkeeping(Connection& connection);

// A stage's open documents counted and summed per date, straight from the
// documents: result columns agedfrom ('' for none), documents, amount.
QString scannedFollowUpTotals(FollowUpStage stage);

// One line for each stage and date whose kept totals differ from the documents.
QStringList followUpTotalProblems(Connection& connection);
