#pragma once

#include <QString>

// The four follow-up stages: inquiries not yet quoted, quotations without an
// order, orders not yet executed, invoices not yet paid.
enum class FollowUpStage { Inquiries, Quotations, Orders, Invoices };
inline constexpr int kFollowUpStageCount = 4;

// Where a stage's documents are and what the follow-up shows of them.
struct StageColumns {
  const char* table;     // tinquiry
  const char* key;       // pkeyinq
  const char* number;    // inqnum
  const char* date;      // the document's own date
  const char* dueDate;   // empty when the stage has none
  const char* agedFrom;  // the due date, or the document's date when there is none
  const char* value;     // brate
  const char* login;
  const char* status;    // the status column an answer sets "YES"
};
const StageColumns& stageColumns(FollowUpStage stage);

// The condition, over the stage's table named `d`, that holds while a document
// is still waiting for its next step. The follow-up reports and the follow-up
// board both read it, so the two never disagree: a document needs its summary
// row (and a quotation its inquiry's address-book row) to be followed up; no
// child document may name it (NOT EXISTS, so a child without a parent number
// hides nothing); numbers match trimmed and in any letter case; a status is
// "NO" in any letter case.
QString openCondition(FollowUpStage stage);

// The same documents as the list kept of them as each row is written
// (tfollowupopen): one probe by the document's row key, where the condition
// looks into other tables.
QString isKeptOpen(FollowUpStage stage);

// lower(trim(left)) = lower(trim(right)): how document numbers match everywhere.
QString sameDocumentNumber(const QString& left, const QString& right);
