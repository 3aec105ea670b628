#include "store/schema.h"

#include <QStringList>

#include "store/basics/dberror.h"
#include "store/categories.h"
#include "store/dates.h"
#include "store/textcharacters.h"
#include "store/wholenumber.h"

namespace {

// Longest texts, in characters. Document numbers are codes; descriptions hold
// several items; the combined texts hold all seven lines with their blanks.
constexpr int kNumberLength = 40;
constexpr int kNameLength = 120;
constexpr int kPlaceLength = 60;
constexpr int kLoginLength = 60;
constexpr int kDescriptionLength = 500;
constexpr int kMakeLength = 80;
constexpr int kMarkLength = 10;
constexpr int kTermLength = 100;
constexpr int kRemarkLength = 1000;
constexpr int kPathLength = 4096;
constexpr int kPhoneLength = 40;

Column key(const char* name) { return {name, ColumnType::Key}; }
Column text(const char* name, int length) { return {name, ColumnType::Text, false, length}; }
Column int32(const char* name) { return {name, ColumnType::Int32}; }
Column date(const char* name) { return {name, ColumnType::Date}; }
Column time(const char* name) { return {name, ColumnType::Time}; }
Column quantity(const char* name) { return {name, ColumnType::Int16, true}; }
// The forms and reports read a status in capitals: a clerk's "yes" must count.
Column status(const char* name) { return {name, ColumnType::Text, false, kMarkLength, true}; }

std::vector<Column> itemRowColumns() {
  std::vector<Column> columns = {key("pkeyiteminq"), text("client", kNameLength), text("inqnum", kNumberLength),
                                 date("inqdate")};
  for (const Category& category : categories()) {
    const QByteArray s = category.suffix.toLatin1();
    columns.push_back(text(s.constData(), kMarkLength));
    columns.push_back(text(("manf" + s).constData(), kMakeLength));
    columns.push_back(quantity(("qty" + s).constData()));
    columns.push_back(text(("id" + s).constData(), kDescriptionLength));
    columns.push_back(text(("stock" + s).constData(), kMarkLength));
    columns.push_back(text(("file" + s).constData(), kPathLength));
    if (category.suffix == QLatin1String("p")) {
      columns.push_back(text("ponumtomanf", kNumberLength));
      columns.push_back(date("jpoadate"));
    }
  }
  for (const char* name : {"quotenum", "ponum", "invoicenum"}) columns.push_back(text(name, kNumberLength));
  columns.push_back(text("login", kLoginLength));
  columns.push_back(date("logindate"));
  columns.push_back(text("area", kPlaceLength));
  return columns;
}

std::vector<Table> buildTables() {
  const int combinedDescription = kCategoryCount * (kDescriptionLength + 2);
  const int combinedMake = kCategoryCount * (kMakeLength + 2);
  std::vector<Column> slotColumns;
  for (const char* slot : {"admin", "user1", "user2", "user3", "user4", "user5"}) {
    slotColumns.push_back(text((QByteArray(slot) + "name").constData(), kLoginLength));
    slotColumns.push_back(text((QByteArray(slot) + "password").constData(), kLoginLength));
  }
  return {
      {"tinquiry",
       {key("pkeyinq"), text("inqnum", kNumberLength), text("client", kNameLength), date("inqdate"),
        date("inqduedate"), int32("brate"), text("login", kLoginLength), date("logindate"),
        status("quotesendstatus"), text("area", kPlaceLength)}},
      {"titeminq", itemRowColumns()},
      {"titemdescom",
       {key("pkey"), text("itemdes", combinedDescription), {"qty", ColumnType::Int16, true},
        text("manf", combinedMake), text("pomanf", combinedMake), text("inqnum", kNumberLength),
        text("quotenum", kNumberLength), text("ponum", kNumberLength), text("invoicenum", kNumberLength)}},
      {"tquote",
       {key("pkeyquote"), text("inqnum", kNumberLength), text("client", kNameLength), text("quotenum", kNumberLength),
        date("quotedate"), int32("quoterate"), text("loginquote", kLoginLength), date("logindate"),
        status("orderstatus"), text("reasonforlost", kRemarkLength)}},
      {"tpo",
       {key("pkeypo"), text("quotenum", kNumberLength), text("client", kNameLength), text("ponum", kNumberLength),
        date("podate"), date("poduedate"), text("taxmode", kTermLength), text("invoicemode", kTermLength),
        text("pnfnfreight", kTermLength), text("paymentterm", kTermLength), int32("povalue"),
        text("login", kLoginLength), date("logindate"), status("orderexecutionstatus"),
        text("reasonfornotexecuted", kRemarkLength)}},
      {"tinvoice",
       {key("pkeyinvoive"), text("ponum", kNumberLength), text("client", kNameLength),
        text("invoicenum", kNumberLength), text("challannum", kNumberLength), date("invoicedate"),
        date("invoiceduedate"), date("challandate"), int32("invoiceamount"), text("login", kLoginLength),
        date("logindate"), status("paymentstatus"), text("reason", kRemarkLength)}},
      {"taddressbook",
       {key("pkeyaddressbook"), text("inqnum", kNumberLength), text("login", kLoginLength),
        text("client", kNameLength), text("address", kRemarkLength), text("area", kPlaceLength),
        text("state", kPlaceLength), text("contactperson", kTermLength), text("designation", kTermLength),
        text("telephonelandline", kPhoneLength), text("mobile", kPhoneLength), text("fax", kPhoneLength),
        text("principalengg", kTermLength), text("email", kTermLength * 3), text("website", kTermLength * 3)}},
      // Twelve slot columns and nothing else: the slots are addressed by position.
      {"tloginpassword", slotColumns},
      {"tloginwork", {key("pkeyloginwork"), text("login", kLoginLength), date("date"), time("time")}},
      {"tlogineditdata", {key("pkeylogineditdata"), text("login", kLoginLength), date("date"), time("time")}},
  };
}

QString describe(const QVariant& value) { return '"' + value.toString() + '"'; }

}  // namespace

QVariant Column::toStored(const QVariant& value) const {
  if (value.isNull() || !value.isValid()) {
    if (zeroWhenUnused) return QVariant(qint64(0));
    return QVariant();
  }
  switch (type) {
    case ColumnType::Key:
      throw DbError(DbErrorKind::BadValue, QStringLiteral("The key column %1 is numbered by the database.").arg(name));
    case ColumnType::Text: {
      QString text = value.toString();
      if (yesOrNo && (text.trimmed().compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0 ||
                      text.trimmed().compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0))
        text = text.trimmed().toUpper();
      const qsizetype length = characterCount(text);
      if (length > maxLength)
        throw DbError(DbErrorKind::BadValue,
                      QStringLiteral("The text for %1 is %2 characters long; at most %3 fit.").arg(name).arg(length).arg(maxLength));
      if (const QString why = unsoundCharacter(text); !why.isEmpty())
        throw DbError(DbErrorKind::BadValue, QStringLiteral("The text for %1 holds %2, which cannot be stored.").arg(name, why));
      return QVariant(text);
    }
    case ColumnType::Int16:
    case ColumnType::Int32: {
      const WholeNumberRange range = type == ColumnType::Int16 ? kInt16Range : kInt32Range;
      const ParsedNumber parsed = parseWholeNumber(value.toString(), range);
      if (parsed.status == ParsedNumber::NotANumber)
        throw DbError(DbErrorKind::BadValue,
                      QStringLiteral("%1 is not a whole number, so it cannot be stored as %2.").arg(describe(value), name));
      if (parsed.status == ParsedNumber::OutOfRange)
        throw DbError(DbErrorKind::BadValue, QStringLiteral("%1 does not fit %2: allowed are %3 to %4.")
                                                 .arg(describe(value), name)
                                                 .arg(range.min)
                                                 .arg(range.max));
      return QVariant(parsed.value);
    }
    case ColumnType::Date: {
      const QDate d = dateFromInput(value);
      if (!d.isValid())
        throw DbError(DbErrorKind::BadValue,
                      QStringLiteral("%1 is not a date (day/month/year), so it cannot be stored as %2.").arg(describe(value), name));
      return QVariant(storedDate(d));
    }
    case ColumnType::Time: {
      const QTime t = timeFromInput(value);
      if (!t.isValid())
        throw DbError(DbErrorKind::BadValue,
                      QStringLiteral("%1 is not a time of day, so it cannot be stored as %2.").arg(describe(value), name));
      return QVariant(storedTime(t));
    }
  }
  return value;
}

int Table::columnIndex(const QString& column) const {
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

const Column& Table::column(const QString& column) const {
  const int i = columnIndex(column);
  if (i < 0) throw DbError(DbErrorKind::Other, QStringLiteral("Database error: %1 has no column %2").arg(name, column));
  return columns[size_t(i)];
}

const std::vector<Table>& allTables() {
  static const std::vector<Table> tables = buildTables();
  return tables;
}

const Table& tableNamed(const QString& name) {
  for (const Table& t : allTables())
    if (t.name.compare(name, Qt::CaseInsensitive) == 0) return t;
  throw DbError(DbErrorKind::Other, QStringLiteral("Database error: there is no table %1").arg(name));
}

int textLimit(const QString& table, const QString& column) { return tableNamed(table).column(column).maxLength; }

bool isTextColumn(const QString& column) {
  for (const Table& t : allTables()) {
    const int i = t.columnIndex(column);
    if (i >= 0) return t.columns[size_t(i)].type == ColumnType::Text;
  }
  return false;
}
