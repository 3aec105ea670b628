#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "store/ownsignins.h"

class Connection;
class RecordSet;

enum class SignInVerdict { Success, InvalidPassword, InvalidUserName, InvalidUserNameAndPassword };
enum class SignInSlots { UsersOnly, WithAdministrator, AdministratorOnly };

// The first row of tloginpassword, the only one ever read, updatable.
RecordSet openSignInSlots(Connection& connection);

// Why the twelve slot values (name, password for slots 0..5, as typed) cannot
// be stored, or empty text when they can: the administrator needs a name and a
// password, a used slot needs both, names are unique, and nothing may start or
// end with a blank (typed input is trimmed, so it could never match).
QString signInSlotsProblem(const QStringList& slotValues);

// The twelve slot values (name, password for slots 0..5) of the first row of
// tloginpassword, trimmed; a null counts as empty text.
QStringList readSignInSlots(const RecordSet& passwords);

// A name and a password sign in only together, from the same slot; a slot
// whose name is empty never matches.
SignInVerdict checkSignIn(const QStringList& slotValues, const QString& typedName, const QString& typedPassword,
                          SignInSlots range);

// Fills and writes the pending row of a sign-in log (tloginwork, tlogineditdata),
// and remembers it as this program's own sign-in to that database.
void writeSignInLog(RecordSet& pendingLogRow, const QString& trimmedName, const QDateTime& when);
