#include "shell/shellforms.h"

#include "shell/frmadmintask.h"
#include "shell/frmfirststart.h"
#include "shell/frmhelp.h"
#include "shell/frmlogin.h"
#include "shell/frmmain.h"
#include "shell/frmsplash.h"
#include "toolkit/formhost.h"

void registerShellForms() {
  registerForm(QStringLiteral("frmSplash"), [](FormHost& host) { return new frmSplash(host); });
  registerForm(QStringLiteral("frmfirststart"), [](FormHost& host) { return new frmfirststart(host); });
  registerForm(QStringLiteral("frmLogin"), [](FormHost& host) { return new frmLogin(host); });
  registerForm(QStringLiteral("frmmain"), [](FormHost& host) { return new frmmain(host); });
  registerForm(QStringLiteral("frmhelp"), [](FormHost& host) { return new frmhelp(host); });
  registerForm(QStringLiteral("frmadmintask"), [](FormHost& host) { return new frmadmintask(host); });
}
