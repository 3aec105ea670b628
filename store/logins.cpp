#include "store/logins.h"

#include "store/connection.h"
#include "store/dberror.h"
#include "store/recordset.h"
#include "store/statement.h"

namespace {
constexpr int kSlotColumns = 12;
}

QStringList readSignInSlots(const RecordSet& passwords) {
  if (passwords.eof())
    throw DbError(DbErrorKind::Other,
                  QStringLiteral("The database holds no sign-in names. Create it with \"vantora-db init\"."));
  QStringList values;
  for (int c = 0; c < kSlotColumns; ++c) values << passwords.value(c).toString().trimmed();
  return values;
}

SignInVerdict checkSignIn(const QStringList& slotValues, const QString& typedName, const QString& typedPassword,
                          SignInSlots range) {
  const QString name = typedName.trimmed();
  const QString password = typedPassword.trimmed();
  bool nameFound = false;
  bool passwordFound = false;
  for (int slot = range == SignInSlots::UsersOnly ? 1 : 0; slot < kSlotColumns / 2; ++slot) {
    const QString slotName = slotValues.value(2 * slot);
    const QString slotPassword = slotValues.value(2 * slot + 1);
    if (slotName.isEmpty()) continue;
    if (slotName == name && slotPassword == password) return SignInVerdict::Success;
    nameFound = nameFound || slotName == name;
    passwordFound = passwordFound || slotPassword == password;
  }
  if (nameFound) return SignInVerdict::InvalidPassword;
  if (passwordFound) return SignInVerdict::InvalidUserName;
  return SignInVerdict::InvalidUserNameAndPassword;
}

void writeSignInLog(RecordSet& pendingLogRow, const QString& trimmedName, const QDateTime& when) {
  pendingLogRow.setValue(1, trimmedName);
  pendingLogRow.setValue(2, when.date());
  pendingLogRow.setValue(3, when.time());
  pendingLogRow.updateBatch();
}

QString currentLoginName(Connection& connection) {
  Statement last(connection, QStringLiteral("SELECT \"login\" FROM \"tloginwork\" ORDER BY rowid DESC LIMIT 1"));
  return last.step() ? last.value(0).toString() : QString();
}
