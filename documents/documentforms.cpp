#include "documents/documentforms.h"

#include "documents/frminquiry.h"
#include "toolkit/formhost.h"

void registerDocumentForms() {
  registerForm(QStringLiteral("frminquiry"), [](FormHost& host) { return new frminquiry(host); });
}
