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
  const QString text = value.toString();
  qsizetype from = 0;  // appended in runs between the characters that need escaping
  for (qsizetype at = 0; at < text.size(); ++at)
    if (text[at] == kEscape || text[at] == kItem || text[at] == kAfter) {
      out += QStringView(text).sliced(from, at - from);
      out += kEscape;
      from = at;
    }
  out += QStringView(text).sliced(from);
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

// Appends `text` in UTF-8; plain ASCII, as names and most values are, without a temporary.
bool appendUtf8(QByteArray& out, QStringView text) {
  const qsizetype at = out.size();
  out.resize(at + text.size());
  char* to = out.data() + at;
  for (const QChar c : text) {
    if (c.unicode() >= 0x80) {
      out.resize(at);
      out += text.toUtf8();
      return true;
    }
    *to++ = char(c.unicode());
  }
  return true;
}

// What a seal takes after the seal before it, by place among the log's
// columns: the first form's summary, the compact form's row digest.
constexpr int kRowKeyPlace = 5;
constexpr int kNumberPlace = 6;
constexpr int kSealedFirstForm[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr int kSealedCompact[] = {1, 2, 3, 4, 5, 6, 7, 9, 11};

}  // namespace

QByteArray sealOfStored(QByteArrayView previous, bool compact, const AppendStoredText& field) {
  QByteArray fields;  // joined by 0x1f; a null number reads 0x01
  fields.reserve(512);
  fields += previous;
  for (const int place : compact ? kSealedCompact : kSealedFirstForm) {
    fields += '\x1f';
    if (!field(place, fields) && place == kNumberPlace) fields += '\x01';
  }
  return QCryptographicHash::hash(fields, QCryptographicHash::Sha256).toHex();
}

QString ChangeEntry::seal(const QString& previous) const {
  const QString* const texts[] = {nullptr, &changedAt, &login, &source, &table, nullptr,
                                  nullptr, &kind,       &summary, &changes, nullptr, &rowDigest};
  return QString::fromLatin1(sealOfStored(previous.toUtf8(), isCompact(), [&](int place, QByteArray& out) {
    if (place == kRowKeyPlace) return appendUtf8(out, QString::number(rowKey));
    if (place == kNumberPlace) return !number.isNull() && appendUtf8(out, number.toString());
    return appendUtf8(out, *texts[place]);
  }));
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
  out.reserve(512);
  for (const ColumnChange& change : changes) {
    out += kItem;
    out += change.column;
    out += kValue;
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
  return rowDigest(table, int(values.size()), [&values](int place, QByteArray& out) {
    const QVariant& value = values[place];
    return !value.isNull() && appendUtf8(out, value.toString());
  });
}

QString rowDigest(const Table& table, int count, const AppendStoredText& value) {
  QByteArray row;  // hashed in one piece: check digests every row of the database
  row.reserve(1024);
  for (size_t c = 0; c < table.columns.size() && int(c) < count; ++c) {
    const Column& column = table.columns[c];
    if (column.type == ColumnType::Key || isSecretColumn(table, column.name)) continue;
    appendUtf8(row, column.name);
    row += '\x1f';
    if (!value(int(c), row)) row += '\x01';
    row += '\x1e';
  }
  return QString::fromLatin1(QCryptographicHash::hash(row, QCryptographicHash::Sha256)
                                 .left(16)
                                 .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}
