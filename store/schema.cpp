#include "store/schema.h"

#include <QStringList>

#include "store/connection.h"
#include "store/dates.h"
#include "store/dberror.h"
#include "store/wholenumber.h"

namespace {

Column key(const char* name) { return {name, ColumnType::Key}; }
Column text(const char* name) { return {name, ColumnType::Text}; }
Column int32(const char* name) { return {name, ColumnType::Int32}; }
Column date(const char* name) { return {name, ColumnType::Date}; }
Column time(const char* name) { return {name, ColumnType::Time}; }
Column quantity(const char* name) { return {name, ColumnType::Int16, true}; }

const QStringList kCategorySuffixes = {"p", "ps", "sa", "c", "cs", "motor", "mis"};

std::vector<Column> itemRowColumns() {
  std::vector<Column> columns = {key("pkeyiteminq"), text("client"), text("inqnum"), date("inqdate")};
  for (const QString& k : kCategorySuffixes) {
    const QByteArray s = k.toLatin1();
    columns.push_back(text(s.constData()));
    columns.push_back(text(("manf" + s).constData()));
    columns.push_back(quantity(("qty" + s).constData()));
    columns.push_back(text(("id" + s).constData()));
    columns.push_back(text(("stock" + s).constData()));
    columns.push_back(text(("file" + s).constData()));
    if (k == "p") {
      columns.push_back(text("ponumtomanf"));
      columns.push_back(date("jpoadate"));
    }
  }
  for (const char* name : {"quotenum", "ponum", "invoicenum", "login"}) columns.push_back(text(name));
  columns.push_back(date("logindate"));
  columns.push_back(text("area"));
  return columns;
}

std::vector<Table> buildTables() {
  return {
      {"tinquiry",
       {key("pkeyinq"), text("inqnum"), text("client"), date("inqdate"), date("inqduedate"), int32("brate"),
        text("login"), date("logindate"), text("quotesendstatus"), text("area")}},
      {"titeminq", itemRowColumns()},
      {"titemdescom",
       {key("pkey"), text("itemdes"), {"qty", ColumnType::Int16, true}, text("manf"), text("pomanf"), text("inqnum"),
        text("quotenum"), text("ponum"), text("invoicenum")}},
      {"tquote",
       {key("pkeyquote"), text("inqnum"), text("client"), text("quotenum"), date("quotedate"), int32("quoterate"),
        text("loginquote"), date("logindate"), text("orderstatus"), text("reasonforlost")}},
      {"tpo",
       {key("pkeypo"), text("quotenum"), text("client"), text("ponum"), date("podate"), date("poduedate"),
        text("taxmode"), text("invoicemode"), text("pnfnfreight"), text("paymentterm"), int32("povalue"),
        text("login"), date("logindate"), text("orderexecutionstatus"), text("reasonfornotexecuted")}},
      {"tinvoice",
       {key("pkeyinvoive"), text("ponum"), text("client"), text("invoicenum"), text("challannum"),
        date("invoicedate"), date("invoiceduedate"), date("challandate"), int32("invoiceamount"), text("login"),
        date("logindate"), text("paymentstatus"), text("reason")}},
      {"taddressbook",
       {key("pkeyaddressbook"), text("inqnum"), text("login"), text("client"), text("address"), text("area"),
        text("state"), text("contactperson"), text("designation"), text("telephonelandline"), text("mobile"),
        text("fax"), text("principalengg"), text("email"), text("website")}},
      // Twelve slot columns and nothing else: the slots are addressed by position.
      {"tloginpassword",
       {text("adminname"), text("adminpassword"), text("user1name"), text("user1password"), text("user2name"),
        text("user2password"), text("user3name"), text("user3password"), text("user4name"),
        text("user4password"), text("user5name"), text("user5password")}},
      {"tloginwork", {key("pkeyloginwork"), text("login"), date("date"), time("time")}},
      {"tlogineditdata", {key("pkeylogineditdata"), text("login"), date("date"), time("time")}},
  };
}

// Document-number columns that joins, lists and exact lookups use.
const char* const kIndexes[] = {
    "tinquiry(inqnum)",         "tinquiry(client)",         "tinquiry(area)",         "tinquiry(lower(trim(inqnum)))",  "titeminq(lower(trim(inqnum)))",
    "titeminq(lower(trim(quotenum)))", "titeminq(lower(trim(ponum)))",   "titeminq(manfp)",
    "titeminq(manfps)",         "titeminq(manfsa)",         "titeminq(manfc)",
    "titeminq(manfcs)",         "titeminq(manfmotor)",      "titeminq(manfmis)",
    "titemdescom(inqnum)",      "titemdescom(quotenum)",    "titemdescom(ponum)",
    "titemdescom(invoicenum)",  "titemdescom(lower(trim(inqnum)))", "titemdescom(lower(trim(quotenum)))",
    "titemdescom(lower(trim(ponum)))", "tquote(inqnum)",          "tquote(quotenum)",
    "tquote(lower(trim(inqnum)))",    "tquote(lower(trim(quotenum)))",  "tpo(quotenum)",
    "tpo(ponum)",               "tpo(lower(trim(quotenum)))",     "tpo(lower(trim(ponum)))",
    "tinvoice(ponum)",          "tinvoice(invoicenum)",     "taddressbook(inqnum)",
};

QString columnDefinition(const Column& c) {
  const QString n = '"' + c.name + '"';
  switch (c.type) {
    case ColumnType::Key:
      return n + " INTEGER PRIMARY KEY AUTOINCREMENT";
    case ColumnType::Text:
      return n + " TEXT CHECK (" + n + " IS NULL OR typeof(" + n + ") = 'text')";
    case ColumnType::Int16:
    case ColumnType::Int32: {
      const WholeNumberRange r = c.type == ColumnType::Int16 ? kInt16Range : kInt32Range;
      const QString range = QStringLiteral("typeof(%1) = 'integer' AND %1 BETWEEN %2 AND %3").arg(n).arg(r.min).arg(r.max);
      if (c.zeroWhenUnused) return n + " INTEGER NOT NULL DEFAULT 0 CHECK (" + range + ")";
      return n + " INTEGER CHECK (" + n + " IS NULL OR (" + range + "))";
    }
    case ColumnType::Date:
      return n + " TEXT CHECK (" + n + " IS NULL OR " + n + " GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]')";
    case ColumnType::Time:
      return n + " TEXT CHECK (" + n + " IS NULL OR " + n + " GLOB '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]')";
  }
  return n;
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
    case ColumnType::Text:
      return QVariant(value.toString());
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

void createSchema(Connection& connection) {
  for (const Table& t : allTables()) {
    QStringList definitions;
    for (const Column& c : t.columns) definitions << columnDefinition(c);
    connection.execute(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, definitions.join(", ")));
  }
  int n = 0;
  for (const char* index : kIndexes)
    connection.execute(QStringLiteral("CREATE INDEX \"ix%1\" ON %2").arg(++n).arg(QString::fromLatin1(index)));
}
