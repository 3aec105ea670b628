#include "store/viewqueries.h"

#include <QHash>

#include "store/dberror.h"
#include "store/schema.h"

namespace {

QString same(const char* left, const char* right) {
  return QStringLiteral("lower(trim(%1)) = lower(trim(%2))").arg(QLatin1String(left), QLatin1String(right));
}

QString notYes(const char* status) {
  return QStringLiteral("(%1 IS NULL OR upper(%1) <> 'YES')").arg(QLatin1String(status));
}

QString keyOf(const QString& table) { return tableNamed(table).columns.front().name; }

// Where a list's rows come from: a FROM clause and the tables in it.
struct Source {
  QString from;
  QStringList tables;

  // Each table up to its highest key when the reading began.
  QString bounds() const {
    QStringList conditions;
    for (const QString& t : tables) conditions << QStringLiteral("%1.%2 <= ?").arg(t, keyOf(t));
    return conditions.join(QStringLiteral(" AND "));
  }
  std::vector<KeyMark> marks() const {
    std::vector<KeyMark> result;
    for (const QString& t : tables) result.push_back({t, keyOf(t)});
    return result;
  }
  QString keys() const {
    QStringList columns;
    for (const QString& t : tables) columns << t + '.' + keyOf(t);
    return columns.join(QStringLiteral(", "));
  }
  std::vector<SortTerm> keyTerms() const {
    std::vector<SortTerm> terms;
    for (const QString& t : tables) terms.push_back({keyOf(t)});
    return terms;
  }
};

Source joined(const char* table, const char* items, const char* itemColumn, const char* tableColumn) {
  const QByteArray left = QByteArray(table) + '.' + tableColumn;
  const QByteArray right = QByteArray(items) + '.' + itemColumn;
  return {QStringLiteral("%1 JOIN %2 ON %3").arg(QLatin1String(table), QLatin1String(items), same(left, right)),
          {QLatin1String(table), QLatin1String(items)}};
}
Source inquiryItems() { return joined("tinquiry", "titemdescom", "inqnum", "inqnum"); }
Source quoteItems() { return joined("tquote", "titemdescom", "quotenum", "quotenum"); }
Source orderItems() { return joined("tpo", "titemdescom", "ponum", "ponum"); }
Source invoiceItems() { return joined("tinvoice", "titemdescom", "invoicenum", "invoicenum"); }
Source table(const char* name) { return {QLatin1String(name), {QLatin1String(name)}}; }

// "client ASC, tinquiry.inqnum DESC" as terms over result column names.
std::vector<SortTerm> terms(const QString& order) {
  std::vector<SortTerm> result;
  for (QString term : order.split(',')) {
    term = term.trimmed();
    const bool descending = term.endsWith(QLatin1String(" DESC"));
    term = term.section(' ', 0, -2);
    result.push_back({term.startsWith('"') ? term.remove('"') : term.section('.', -1), descending});
  }
  return result;
}

QString where(const Source& source, const QString& condition) {
  return source.bounds() + (condition.isEmpty() ? QString() : QStringLiteral(" AND ") + condition);
}

// One row per joined row; the tables' keys come along and end the order, so
// that equal rows stay apart when the list is read a page at a time.
SortedQuery listed(const QString& columns, const Source& source, const QString& condition, const QString& order) {
  std::vector<SortTerm> keyed = terms(order);
  for (const SortTerm& key : source.keyTerms()) keyed.push_back(key);
  return {QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4").arg(columns, source.keys(), source.from, where(source, condition)),
          keyed, {}, source.marks(), true};
}

// Each distinct combination once.
SortedQuery grouped(const QString& columns, const Source& source, const QString& condition, const QString& order) {
  QStringList groups;
  for (const QString& column : columns.split(',')) groups << column.section(QStringLiteral(" AS "), 0, 0).trimmed();
  return {QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %3 GROUP BY %4")
              .arg(columns, source.from, where(source, condition), groups.join(QStringLiteral(", "))),
          terms(order), {}, source.marks()};
}

// The latest fifty entries of a sign-in log.
SortedQuery latestSignIns(const char* log, bool distinct, const QString& order) {
  const Source source = table(log);
  const QString columns = distinct ? QStringLiteral("DISTINCT login, \"date\", \"time\"")
                                   : QStringLiteral("login, \"date\", \"time\", ") + source.keys();
  return {QStringLiteral("SELECT * FROM (SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 50) AS latest")
              .arg(columns, source.from, source.bounds(), order),
          terms(order), {}, source.marks(), !distinct};
}

// A one-row total of what is still open.
SortedQuery total(const QString& rows, const char* column, const std::vector<KeyMark>& marks) {
  return {rows, {{QLatin1String(column)}}, {}, marks, true};  // one row
}

QHash<QString, SortedQuery> buildQueries() {
  QHash<QString, SortedQuery> q;
  // The view data form.
  const Source chain{
      QStringLiteral("tinquiry JOIN taddressbook ON %1 JOIN titemdescom ON %2 JOIN tquote ON %3 JOIN tpo ON %4 "
                     "JOIN tinvoice ON %5 AND %6")
          .arg(same("tinquiry.inqnum", "taddressbook.inqnum"), same("tinquiry.inqnum", "titemdescom.inqnum"),
               same("tinquiry.inqnum", "tquote.inqnum"), same("tquote.quotenum", "tpo.quotenum"),
               same("tpo.ponum", "tinvoice.ponum"), same("tinvoice.invoicenum", "titemdescom.invoicenum")),
      {"tinquiry", "taddressbook", "titemdescom", "tquote", "tpo", "tinvoice"}};
  q["adall"] = listed(
      "tinquiry.client, tinquiry.area, tinquiry.inqnum, inqdate, inqduedate, brate, itemdes, qty, manf, tquote.quotenum, "
      "quotedate, quoterate, tpo.ponum, podate, poduedate, povalue, titemdescom.pomanf, taxmode, invoicemode, pnfnfreight, "
      "paymentterm, tinvoice.invoicenum, invoicedate, invoiceamount, challannum, challandate, invoiceduedate, "
      "quotesendstatus, orderstatus, reasonforlost, orderexecutionstatus, reasonfornotexecuted, paymentstatus, reason, "
      "contactperson, designation, principalengg, telephonelandline, fax, email",
      chain, {}, "client ASC, inqnum ASC");
  q["adinq"] = listed("client, area, tinquiry.inqnum, inqdate, brate, inqduedate, quotesendstatus, itemdes, qty, manf",
                      inquiryItems(), {}, "inqdate DESC, client ASC");
  q["adquote"] = listed("client, tquote.quotenum, quotedate, quoterate, itemdes, qty, manf, orderstatus", quoteItems(), {},
                        "client ASC, quotenum ASC");
  q["adpo"] = listed("client, tpo.ponum, podate, povalue, orderexecutionstatus, taxmode, invoicemode, paymentterm, poduedate, "
                     "itemdes, qty, manf, reasonfornotexecuted",
                     orderItems(), {}, "podate DESC, client ASC");
  q["adinvoice"] = listed("client, tinvoice.invoicenum, invoicedate, invoiceamount, paymentstatus, invoiceduedate, reason, "
                          "challannum, challandate, itemdes, qty, manf",
                          invoiceItems(), {}, "client ASC, invoicenum ASC");
  q["adaddress"] = listed("client, area, inqnum, principalengg, contactperson, designation, telephonelandline, fax, mobile, "
                          "address, state, email, website, login",
                          table("taddressbook"), {}, "client ASC, inqnum ASC");

  // The query form: inquiries.
  q["adinqclient"] = grouped("client, tinquiry.inqnum, inqdate, itemdes, quotesendstatus", inquiryItems(), {},
                             "client ASC, quotesendstatus ASC, inqnum DESC");
  // The columns named as the grid shows them.
  q["adinqarea"] = grouped("area AS \"AREA\", client AS \"CLIENT\", tinquiry.inqnum AS \"INQUIRY NO\", inqdate AS \"INQ DATE\", "
                           "itemdes AS \"DESCRIPTION\", quotesendstatus AS \"QUOTE SEND STATUS\"",
                           inquiryItems(), {}, "AREA ASC, CLIENT ASC, \"QUOTE SEND STATUS\" ASC, \"INQUIRY NO\" ASC");
  q["adinqduedate"] = grouped("inqduedate, client, tinquiry.inqnum, itemdes, quotesendstatus", inquiryItems(), {},
                              "inqduedate DESC, client ASC, quotesendstatus ASC, inqnum DESC");
  q["adinqmanf"] = grouped("manf, client, tinquiry.inqnum, itemdes, quotesendstatus", inquiryItems(), {},
                           "manf ASC, client ASC, inqnum DESC");
  q["adinqstatus"] = grouped("quotesendstatus, client, tinquiry.inqnum, itemdes, inqduedate", inquiryItems(),
                             notYes("quotesendstatus"), "client ASC, inqnum DESC");
  q["adinqprice"] = grouped("brate, client, tinquiry.inqnum, itemdes, inqduedate, quotesendstatus", inquiryItems(), {},
                            "brate DESC, client ASC, inqnum DESC");
  q["adinqnum"] = grouped("tinquiry.inqnum, client, inqdate, itemdes, qty, manf, quotesendstatus", inquiryItems(), {},
                          "inqnum ASC");

  // Quotations.
  q["adquoteclient"] = grouped("client, tquote.quotenum, quotedate, quoterate, itemdes, orderstatus, reasonforlost",
                               quoteItems(), {}, "client ASC, quotenum ASC");
  q["adquotenum"] = grouped("tquote.quotenum, client, quotedate, quoterate, itemdes, orderstatus, reasonforlost", quoteItems(),
                            {}, "quotenum ASC");
  q["adquotedate"] = grouped("quotedate, tquote.quotenum, client, quoterate, itemdes, orderstatus, reasonforlost",
                             quoteItems(), {}, "quotedate DESC, quotenum ASC");
  q["adquoteprice"] = grouped("quoterate, client, tquote.quotenum, itemdes, orderstatus, reasonforlost", quoteItems(), {},
                              "quoterate DESC, quotenum ASC");
  q["adquotestatus"] = grouped("orderstatus, client, tquote.quotenum, quotedate, itemdes, reasonforlost", quoteItems(),
                               notYes("orderstatus"), "client ASC, quotenum ASC");

  // Purchase orders.
  q["adpoclient"] = grouped("client, tpo.ponum, povalue, podate, poduedate, itemdes, qty, manf, pomanf, orderexecutionstatus, "
                            "reasonfornotexecuted",
                            orderItems(), {}, "client ASC, ponum ASC");
  q["adponum"] = grouped("tpo.ponum, client, povalue, itemdes, qty, manf, pomanf, orderexecutionstatus, reasonfornotexecuted",
                         orderItems(), {}, "ponum ASC, client ASC");
  q["adpovalue"] = grouped("povalue, client, tpo.ponum, taxmode, invoicemode, pnfnfreight, paymentterm, podate, poduedate, "
                           "orderexecutionstatus, reasonfornotexecuted",
                           orderItems(), {}, "povalue DESC, client ASC, ponum ASC");
  q["adpodate"] = grouped("poduedate, client, tpo.ponum, povalue, podate, itemdes, qty, manf, pomanf, orderexecutionstatus, "
                          "reasonfornotexecuted",
                          orderItems(), {}, "poduedate ASC, client ASC, ponum ASC");
  q["adpostatus"] = grouped("orderexecutionstatus, client, tpo.ponum, povalue, podate, poduedate, itemdes, qty, manf, pomanf, "
                            "reasonfornotexecuted",
                            orderItems(), notYes("orderexecutionstatus"), "client ASC, ponum ASC");

  // Invoices: no summary rows joined.
  const Source invoices = table("tinvoice");
  q["adinvclient"] = grouped("client, invoicenum, invoiceamount, invoicedate, invoiceduedate, paymentstatus, reason", invoices,
                             {}, "client ASC, invoicenum ASC");
  q["adinvnum"] = grouped("invoicenum, client, invoiceamount, invoicedate, invoiceduedate, paymentstatus, reason", invoices, {},
                          "invoicenum ASC");
  q["adinvamount"] = grouped("invoiceamount, client, invoicenum, invoicedate, invoiceduedate, paymentstatus, reason", invoices,
                             {}, "invoiceamount DESC");
  q["adinvoiceduedate"] = grouped("invoiceduedate, client, invoicenum, invoicedate, invoiceamount, paymentstatus, reason",
                                  invoices, {}, "invoiceduedate DESC, client ASC, invoicenum ASC");
  q["adinvstatus"] = grouped("paymentstatus, client, invoicenum, invoiceamount, invoicedate, invoiceduedate, reason", invoices,
                             notYes("paymentstatus"), "client ASC, invoicenum ASC");

  // The address book.
  const Source book = table("taddressbook");
  const QString contact = QStringLiteral("contactperson, designation, telephonelandline, mobile, fax, principalengg");
  q["adaddclient"] = grouped("client, inqnum, " + contact + ", area, address, email", book, {}, "client ASC, inqnum ASC");
  q["adaddinqnum"] = grouped("inqnum, client, " + contact + ", area, address, email", book, {}, "inqnum ASC, client ASC");
  q["adaddarea"] = grouped("area, client, inqnum, " + contact + ", address, email", book, {}, "area ASC, client ASC, inqnum ASC");
  q["adaddperson"] = grouped("contactperson, designation, client, telephonelandline, mobile, fax, principalengg, address, email",
                             book, {}, "contactperson ASC, client ASC");

  // The two sign-in logs: only the work log removes duplicates.
  q["adlogin"] = latestSignIns("tloginwork", true, "\"date\" DESC, \"time\" DESC, login ASC");
  q["adeditdatalogin"] = latestSignIns("tlogineditdata", false, "\"date\" DESC, \"time\" DESC, pkeylogineditdata DESC");

  // Totals of open business; NOT EXISTS, so that a child row without a parent
  // number does not empty a total. Nothing open: no total at all.
  const std::vector<KeyMark> inquiryMarks = {{"tinquiry", "pkeyinq"}, {"tquote", "pkeyquote"}};
  q["adtotalinqprice"] = total(QStringLiteral("SELECT sum(brate) AS total_inquiry_price FROM tinquiry i WHERE i.pkeyinq <= ? "
                                              "AND NOT EXISTS (SELECT 1 FROM tquote c WHERE c.pkeyquote <= ? AND %1)")
                                   .arg(same("c.inqnum", "i.inqnum")),
                               "total_inquiry_price", inquiryMarks);
  q["adtotalquoteprice"] = total(QStringLiteral("SELECT sum(quoterate) AS total_quote_price FROM tquote q WHERE q.pkeyquote <= "
                                                "? AND NOT EXISTS (SELECT 1 FROM tpo c WHERE c.pkeypo <= ? AND %1)")
                                     .arg(same("c.quotenum", "q.quotenum")),
                                 "total_quote_price", {{"tquote", "pkeyquote"}, {"tpo", "pkeypo"}});
  q["adtotalpoprice"] = total(QStringLiteral("SELECT sum(povalue) AS total_po_price FROM tpo p WHERE p.pkeypo <= ? AND (NOT "
                                             "EXISTS (SELECT 1 FROM tinvoice c WHERE c.pkeyinvoive <= ? AND %1) OR "
                                             "upper(p.orderexecutionstatus) = 'NO')")
                                  .arg(same("c.ponum", "p.ponum")),
                              "total_po_price", {{"tpo", "pkeypo"}, {"tinvoice", "pkeyinvoive"}});
  q["adtotalinvoice"] = total(QStringLiteral("SELECT sum(invoiceamount) AS total_invoice_value FROM tinvoice WHERE "
                                             "pkeyinvoive <= ? AND upper(paymentstatus) = 'NO'"),
                              "total_invoice_value", {{"tinvoice", "pkeyinvoive"}});
  return q;
}

}  // namespace

SortedQuery viewQuery(const QString& dataControl) {
  static const QHash<QString, SortedQuery> queries = buildQueries();
  const auto found = queries.find(dataControl);
  if (found == queries.end())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: no list named %1.").arg(dataControl));
  return *found;
}

SortedQuery tableQuery(const QString& table) {
  static const QHash<QString, QString> orders = {
      {"tinquiry", "client ASC, inqdate DESC, inqnum ASC"}, {"tquote", "client ASC, quotenum DESC"},
      {"tpo", "client ASC, ponum ASC"},                     {"tinvoice", "client ASC, invoicenum DESC"},
      {"titemdescom", "inqnum ASC"},                        {"titeminq", "client ASC, inqnum ASC"},
      {"taddressbook", "client ASC, inqnum DESC"},
  };
  const auto order = orders.find(table);
  if (order == orders.end())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the table %1 is not corrected here.").arg(table));
  const Source source{table, {table}};
  std::vector<SortTerm> keyed = terms(*order);
  keyed.push_back({keyOf(table)});
  return {QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, source.bounds()), keyed, {}, source.marks(), true};
}
