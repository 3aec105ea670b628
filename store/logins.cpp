#include "store/logins.h"

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/ownsignins.h"
#include "store/recordset.h"

namespace {
constexpr int kSlotColumns = 12;
const char* const kSlotCaptions[] = {"ADMINISTRATOR", "USER 1", "USER 2", "USER 3", "USER 4", "USER 5"};
}  // namespace

RecordSet openSignInSlots(Connection& connection) {
  return RecordSet::openWhere(connection, QStringLiteral("tloginpassword"),
                              QStringLiteral("rowid = (SELECT min(rowid) FROM tloginpassword)"), {});
}

QString signInSlotsProblem(const QStringList& slotValues) {
  QStringList names;
  for (int slot = 0; slot < kSlotColumns / 2; ++slot) {
    const QString owner = QString::fromLatin1(kSlotCaptions[slot]);
    const QString name = slotValues.value(2 * slot);
    const QString password = slotValues.value(2 * slot + 1);
    for (const QString& value : {name, password})
      if (value != value.trimmed())
        return QStringLiteral("%1: a name or password cannot begin or end with a blank.").arg(owner);
    if (slot == 0 && (name.isEmpty() || password.isEmpty()))
      return QStringLiteral("ADMINISTRATOR: the name and the password cannot be empty.");
    if (name.isEmpty() != password.isEmpty())
      return QStringLiteral("%1: give both a name and a password, or leave both empty to keep the slot unused.")
          .arg(owner);
    if (name.isEmpty()) continue;
    if (names.contains(name)) return QStringLiteral("%1: the name %2 is already used by another slot.").arg(owner, name);
    names << name;
  }
  return {};
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
  const int first = range == SignInSlots::UsersOnly ? 1 : 0;
  const int end = range == SignInSlots::AdministratorOnly ? 1 : kSlotColumns / 2;
  for (int slot = first; slot < end; ++slot) {
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
  rememberOwnSignIn(pendingLogRow.connection(), pendingLogRow.tableName(), trimmedName);
}
