#include "toolkit/boxvalues.h"

#include <QLineEdit>

#include "store/wholenumber.h"
#include "toolkit/controls.h"
#include "toolkit/keyfilters.h"
#include "toolkit/refusal.h"

QVariant boxText(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

void requireNumberWritten(const QString& number, const QString& what) {
  if (number.trimmed().isEmpty())
    throw Refusal{QStringLiteral("WRITE %1 otherwise Data will not be saved..").arg(what), QStringLiteral("ALERT!!!"),
                  Prompter::Icon::Error};
}

QVariant boxAmount(const QString& text, const QString& what) {
  if (text.trimmed().isEmpty()) return {};
  const ParsedNumber parsed = parseWholeNumber(text, kInt32Range);
  if (parsed.status == ParsedNumber::NotANumber || text.trimmed().startsWith('-'))
    throw Refusal{QStringLiteral("Please use NUMBER(0 to 9) only...%1 is not saved").arg(what), QStringLiteral("ALERT!")};
  if (parsed.status == ParsedNumber::OutOfRange)
    throw Refusal{QStringLiteral("Too much large %1..not allowed (at most %2)").arg(what).arg(kInt32Range.max),
                  QStringLiteral("Info..")};
  return parsed.value;
}

void makeDigitBox(QLineEdit* box) {
  warnOnNonDigitKeys(box);
  limitTextLength(box, kDigitBoxLength);
}

void makeAmountBox(QLineEdit* box, const QString& what) {
  makeDigitBox(box);
  onFocusLeave(box, [box, what] { boxAmount(box->text(), what); });  // a Refusal is shown, nothing kept
}
