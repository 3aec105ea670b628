#include "tools/changelogprinter.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString tsvField(QString value) {
  return value.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
      .replace(QLatin1Char('\t'), QLatin1String("\\t"))
      .replace(QLatin1Char('\n'), QLatin1String("\\n"))
      .replace(QLatin1Char('\r'), QLatin1String("\\r"));
}
}  // namespace

std::optional<ChangeLogPrinter::Format> ChangeLogPrinter::formatNamed(const QString& name) {
  if (name == QLatin1String("text")) return Format::Text;
  if (name == QLatin1String("tsv")) return Format::Tsv;
  if (name == QLatin1String("json")) return Format::Json;
  return std::nullopt;
}

ChangeLogPrinter::ChangeLogPrinter(QTextStream& out, Format format, const QStringList& fields)
    : out_(out), format_(format), fields_(fields) {
  if (format_ == Format::Tsv) out_ << fields_.join(QLatin1Char('\t')) << '\n';
  if (format_ == Format::Json) out_ << '[';
}

void ChangeLogPrinter::print(const QVariantList& values) {
  QStringList shown;
  QJsonObject entry;
  for (int i = 0; i < fields_.size(); ++i) {
    const QVariant& value = values.value(i);
    shown << (format_ == Format::Tsv ? tsvField(value.toString()) : value.toString());
    entry.insert(fields_[i], value.isNull() ? QJsonValue() : QJsonValue::fromVariant(value));
  }
  switch (format_) {
    case Format::Text:
      out_ << shown.join(QLatin1String("  ")) << '\n';
      break;
    case Format::Tsv:
      out_ << shown.join(QLatin1Char('\t')) << '\n';
      break;
    case Format::Json:
      out_ << (printed_ ? ",\n" : "\n") << QString::fromUtf8(QJsonDocument(entry).toJson(QJsonDocument::Compact));
      break;
  }
  ++printed_;
}

void ChangeLogPrinter::finish() {
  if (format_ == Format::Json) out_ << (printed_ ? "\n]\n" : "]\n");
  out_.flush();
}
