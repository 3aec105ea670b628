#include "shell/signinmessages.h"

QString signInMessage(SignInVerdict verdict) {
  switch (verdict) {
    case SignInVerdict::InvalidPassword:
      return QStringLiteral("Invalid Password, try again!");
    case SignInVerdict::InvalidUserName:
      return QStringLiteral("Invalid User Name, try again!");
    case SignInVerdict::InvalidUserNameAndPassword:
      return QStringLiteral("Invalid UserName/Password, try again!");
    case SignInVerdict::Success:
      break;
  }
  return {};
}
