#include "store/changeentry.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include "store/schema.h"

namespace {

constexpr QChar kItem = QLatin1Char('|');
constexpr QChar kValue = QLatin1Char('=');
constexpr QChar kAfter = QLatin1Char('>');
constexpr QChar kEscape = QLatin1Char('\\');
const QString kNull = QStringLiteral("\\N");

void appendValue(QString& out, const QVariant& value) {
  if (value.isNull()) {
    out += kNull;
    return;
  }
  for (const QChar c : value.toString()) {
    if (c == kEscape || c == kItem || c == kAfter) out += kEscape;
    out += c;
  }
}

// Reads one value from `at` up to an unescaped '|' or '>' (or the end).
QVariant readValue(const QString& text, qsizetype& at) {
  if (text.mid(at, 2) == kNull) {
    at += 2;
    return {};
  }
  QString value;
  for (; at < text.size() && text[at] != kItem && text[at] != kAfter; ++at) {
    if (text[at] == kEscape && at + 1 < text.size()) ++at;
    value += text[at];
  }
  return value;
}

struct CompactItem {
  ColumnChange change;
  bool changed = false;  // "column=before>after", not a new row's "column=value"
};

std::vector<CompactItem> decodeCompact(const QString& text) {
  std::vector<CompactItem> items;
  for (qsizetype at = 0; at < text.size() && text[at] == kItem;) {
    const qsizetype equals = text.indexOf(kValue, at);
    if (equals < 0) break;
    CompactItem item{{text.mid(at + 1, equals - at - 1), {}, {}}};
    at = equals + 1;
    item.change.after = readValue(text, at);
    if (at < text.size() && text[at] == kAfter) {
      item.changed = true;
      item.change.before = item.change.after;
      ++at;
      item.change.after = readValue(text, at);
    }
    items.push_back(item);
  }
  return items;
}

std::vector<ColumnChange> decodeJson(const QString& text) {
  std::vector<ColumnChange> changes;
  for (const QJsonValue& item : QJsonDocument::fromJson(text.toUtf8()).array()) {
    const QJsonArray fields = item.toArray();
    const auto value = [&fields](int i) { return fields.at(i).isNull() ? QVariant() : QVariant(fields.at(i).toString()); };
    changes.push_back({fields.at(0).toString(), value(1), value(2)});
  }
  return changes;
}

QString shown(const QVariant& value) { return value.isNull() ? QStringLiteral("(empty)") : value.toString(); }

QString hashOf(const QStringList& fields) {
  return QString::fromLatin1(
      QCryptographicHash::hash(fields.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256).toHex());
}

}  // namespace

QString ChangeEntry::seal(const QString& previous) const {
  const QString numberText = number.isNull() ? QStringLiteral("\x01") : number.toString();
  if (!isCompact())
    return hashOf({previous, changedAt, login, source, table, QString::number(rowKey), numberText, kind, summary, changes});
  return hashOf({previous, changedAt, login, source, table, QString::number(rowKey), numberText, kind, changes, rowDigest});
}

std::vector<ColumnChange> ChangeEntry::decodedChanges() const {
  if (!isCompact()) return decodeJson(changes);
  std::vector<ColumnChange> decoded;
  for (const CompactItem& item : decodeCompact(changes)) decoded.push_back(item.change);
  return decoded;
}

bool isSecretColumn(const Table& table, const QString& column) {
  return table.name == QLatin1String("tloginpassword") && column.endsWith(QLatin1String("password"));
}

QString encodeChanges(const std::vector<ColumnChange>& changes, bool newRow) {
  QString out;
  for (const ColumnChange& change : changes) {
    out += kItem + change.column + kValue;
    if (!newRow) {
      appendValue(out, change.before);
      out += kAfter;
    }
    appendValue(out, change.after);
  }
  return out;
}

QString changeSummary(const QString& changesOrSummary) {
  if (!changesOrSummary.startsWith(kItem)) return changesOrSummary;
  QStringList lines;
  for (const auto& [change, changed] : decodeCompact(changesOrSummary))
    lines << (changed ? QStringLiteral("%1: %2 -> %3").arg(change.column, shown(change.before), shown(change.after))
                      : QStringLiteral("%1: %2").arg(change.column, shown(change.after)));
  return lines.join(QStringLiteral("; "));
}

QString rowDigest(const Table& table, const QVariantList& values) {
  QByteArray row;  // hashed in one piece: check digests every row of the database
  for (size_t c = 0; c < table.columns.size() && qsizetype(c) < values.size(); ++c) {
    const Column& column = table.columns[c];
    if (column.type == ColumnType::Key || isSecretColumn(table, column.name)) continue;
    const QVariant& value = values[qsizetype(c)];
    row += column.name.toUtf8();
    row += '\x1f';
    row += value.isNull() ? QByteArray("\x01") : value.toString().toUtf8();
    row += '\x1e';
  }
  return QString::fromLatin1(QCryptographicHash::hash(row, QCryptographicHash::Sha256).left(16).toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}
