#pragma once

#include <QDate>
#include <QString>
#include <QVariantHash>
#include <QVariantList>
#include <array>
#include <optional>

#include "store/queries/opendocuments.h"
#include "store/queries/pagedquery.h"

class Connection;

// The board's columns: how many days past its due date an open document is on
// a given day (a quotation counts from its own date), or that it has no date.
enum class Overdue { NotYetDue, UpTo30, UpTo60, UpTo90, Over90, NoDueDate };
inline constexpr int kOverdueCount = 6;

struct BoardCell {
  qint64 count = 0;
  qint64 value = 0;
};
using BoardRow = std::array<BoardCell, kOverdueCount>;
using FollowUpBoard = std::array<BoardRow, kFollowUpStageCount>;

// The board as one aggregate statement over the kept totals (see
// followuptotals.h): stage, bucket, count and sum of its open documents. It
// adds up one row per stage and date, however many documents there are.
struct BoardStatement {
  QString sql;
  QVariantList parameters;
};
BoardStatement boardStatement(QDate today);
FollowUpBoard readFollowUpBoard(Connection& connection, QDate today);

// The open documents of one cell (no bucket: the whole stage), most overdue
// first, read through the kept open documents. Result columns: client, number,
// docdate, duedate, agedfrom ('' for none), amount, login, status, rowkey.
SortedQuery followUpList(FollowUpStage stage, std::optional<Overdue> bucket, QDate today);
// Days past the date on `today`; 0 when not yet due or without a date.
int daysOverdue(const QVariant& agedFrom, QDate today);

// Stores payment status "YES" on the invoice with this key, logged under the
// connection's author, in one transaction. `asListed` holds the list's columns
// (as followUpList names them) as they were shown: an invoice changed since,
// or gone, is a DbError(Conflict) and nothing is stored.
void recordPayment(Connection& connection, qint64 invoiceKey, const QVariantHash& asListed);

// What serves the board's unpaid invoices: part of the indexes of a new
// database, and built alone when a database of data version 5 is brought up to date.
void createFollowUpIndexes(Connection& connection);
