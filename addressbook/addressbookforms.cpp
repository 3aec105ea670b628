#include "addressbook/addressbookforms.h"

#include "addressbook/frmaddressbook.h"
#include "toolkit/formhost.h"

void registerAddressBookForms() {
  registerForm(QStringLiteral("frmaddressbook"), [](FormHost& host) { return new frmaddressbook(host); });
}
