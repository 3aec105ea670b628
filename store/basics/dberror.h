#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the data store arrives as a DbError whose message a clerk
// can act on; the kind lets callers and tests tell the cases apart.
enum class DbErrorKind {
  FileMissing,
  WrongKey,
  EmptyFile,  // opens, but holds no tables: cut short while it was made
  Locked,
  ReadOnly,
  DiskFull,
  BadValue,
  Conflict,
  Duplicate,     // a document number the file already holds
  WrongVersion,  // a file this version cannot use as it is
  // Server mode only.
  Unreachable,     // no server answers at the address
  SignInRefused,   // the server refused the role or its password
  NoPermission,    // the role may not read or write what was asked
  ConnectionLost,  // the server went away; the open transaction is gone with it
  Other,
};

class DbError : public std::runtime_error {
 public:
  DbError(DbErrorKind kind, const QString& message);

  DbErrorKind kind() const { return kind_; }
  QString message() const { return message_; }

 private:
  DbErrorKind kind_;
  QString message_;
};
