#include "documents/documentforms.h"

#include "documents/frminquiry.h"
#include "documents/frminvoicechallan.h"
#include "documents/frmpurchaseorder.h"
#include "documents/frmquotation.h"
#include "toolkit/formhost.h"

void registerDocumentForms() {
  registerForm(QStringLiteral("frminquiry"), [](FormHost& host) { return new frminquiry(host); });
  registerForm(QStringLiteral("frmquotation"), [](FormHost& host) { return new frmquotation(host); });
  registerForm(QStringLiteral("frminvoicechallan"), [](FormHost& host) { return new frminvoicechallan(host); });
  registerForm(QStringLiteral("frmpurchaseorder"), [](FormHost& host) { return new frmpurchaseorder(host); });
}
