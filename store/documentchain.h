#pragma once

#include <QString>
#include <vector>

class Connection;

// One step of the document chain: a child document names its parent by the
// parent's number. Each parent gets at most one child; until then it is open
// and offered to the child's form.
struct ChainStep {
  QString parentTable;   // tinquiry
  QString parentNumber;  // its own number column: inqnum
  QString childTable;    // tquote
  QString childColumn;   // the child's column naming the parent: inqnum
  QString statusColumn;  // set to "YES" once answered; empty when the parent has none
  QString key;           // names the step in the open-document bookkeeping
};

enum class Step { Quotation, Order, Invoice, AddressBook };

const ChainStep& chainStep(Step step);
const std::vector<ChainStep>& chainSteps();

// Their index, in that order.
void createOpenParentsIndex(Connection& connection);
// The parent exists and no child names it yet; read under the caller's
// transaction this holds until its commit.
bool isOpenParent(Connection& connection, Step step, const QString& number);
// Sets the parent's status to "YES"; false when no parent has that number.
bool markParentAnswered(Connection& connection, Step step, const QString& number);
// A document with this number is already stored in the table.
bool numberTaken(Connection& connection, const QString& table, const QString& column, const QString& number);

// The table of open parents and the triggers that keep it true whatever
// writes the file: forms, the edit grids, another program. Filled from the
// rows present.
void createOpenDocumentBookkeeping(Connection& connection);
// The triggers alone; on a server they can be made again over the old ones.
void createOpenDocumentTriggers(Connection& connection);
