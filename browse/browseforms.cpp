#include "browse/browseforms.h"

#include "browse/frmchangelog.h"
#include "browse/frmeditdata.h"
#include "browse/frmquery1.h"
#include "browse/frmviewdata.h"
#include "toolkit/formhost.h"

void registerBrowseForms() {
  registerForm(QStringLiteral("frmviewdata"), [](FormHost& host) { return new frmviewdata(host); });
  registerForm(QStringLiteral("frmeditdata"), [](FormHost& host) { return new frmeditdata(host); });
  registerForm(QStringLiteral("frmchangelog"), [](FormHost& host) { return new frmchangelog(host); });
  registerForm(QStringLiteral("frmquery1"), [](FormHost& host) { return new frmquery1(host); });
}
