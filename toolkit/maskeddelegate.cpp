#include "toolkit/maskeddelegate.h"

QString MaskedDelegate::displayText(const QVariant& value, const QLocale&) const {
  return QString(value.toString().size(), QChar(0x25CF));
}
