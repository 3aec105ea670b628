#include "documents/documentforms.h"

#include "documents/frminquiry.h"
#include "documents/frmquotation.h"
#include "toolkit/formhost.h"

void registerDocumentForms() {
  registerForm(QStringLiteral("frminquiry"), [](FormHost& host) { return new frminquiry(host); });
  registerForm(QStringLiteral("frmquotation"), [](FormHost& host) { return new frmquotation(host); });
}
