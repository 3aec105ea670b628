#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

class Connection;

// Witnesses of the change log's head, kept outside the database: each BACK UP,
// check and sign-in on this computer notes the number and seal of the log's
// last entry in a small owner-only file beside the backups. A history
// rewritten behind the program's back, its seals recomputed, no longer matches
// an entry witnessed before; the check says so. What this cannot prove: a
// change after the last witness, or one made by someone who can also rewrite
// or remove this file.
struct Witness {
  QDateTime when;
  QString what;  // "check", "backup", "sign-in"
  qint64 key = 0;
  QString seal;
};

// The file holding the witnesses of the database at `location`.
QString witnessFile(const QString& location);

// The witnesses of the database at `location`, oldest first, since its
// history last began anew (made by init, demo or copy, or restored).
std::vector<Witness> witnessesOf(const QString& location);

// Notes the log's head; an empty log (key 0) is not worth a witness. Returns
// the file written, or empty text when it could not be (a witness is a help,
// never a reason to refuse the work it follows).
QString recordWitness(const QString& location, const QString& what, qint64 key, const QString& seal);

// Notes the connection's database's log head as it stands now.
QString witnessHead(Connection& connection, const QString& what);

// The database at `location` begins a new history (it was made or restored):
// the witnesses before this no longer apply to it.
void startNewHistory(const QString& location, const QString& what);
