#include "shell/editgate.h"

#include <QDateTime>

#include "shell/signinmessages.h"
#include "store/connection.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "toolkit/formhost.h"
#include "toolkit/prompter.h"

void passEditGate(FormHost& host) {
  if (!askYesNo(QStringLiteral("EDITING DATA IS CRITICAL OPERATION, DO YOU REALY WANT TO EDIT DATA??"),
                QStringLiteral("ALERT!!!")))
    return;
  auto connection = Connection::open(host.databasePath());
  const QString name =
      prompter().input(QStringLiteral("WRITE  LOGIN  NAME"), QStringLiteral("USER NAME"), Prompter::Echo::Shown).trimmed();
  const QString password =
      prompter().input(QStringLiteral("WRITE  PASSWORD"), QStringLiteral("PASSWORD"), Prompter::Echo::Masked).trimmed();
  const SignInVerdict verdict = checkSignIn(readSignInSlots(openSignInSlots(*connection)), name, password, SignInSlots::WithAdministrator);
  if (verdict != SignInVerdict::Success) {
    tell(signInMessage(verdict));
    return;
  }
  RecordSet log = RecordSet::openForAppend(*connection, QStringLiteral("tlogineditdata"));
  log.addNew();
  writeSignInLog(log, name, QDateTime::currentDateTime());
  host.show(QStringLiteral("frmeditdata"));
}
