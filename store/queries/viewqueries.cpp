#include "store/queries/viewqueries.h"

#include <QHash>

#include "store/basics/dberror.h"
#include "store/indexes.h"
#include "store/queries/listindex.h"
#include "store/schema.h"

namespace {

QString same(const char* left, const char* right) {
  return QStringLiteral("lower(trim(%1)) = lower(trim(%2))").arg(QLatin1String(left), QLatin1String(right));
}

QString notYes(const char* status) {
  return QStringLiteral("(%1 IS NULL OR upper(%1) <> 'YES')").arg(QLatin1String(status));
}

QString keyOf(const QString& table) { return tableNamed(table).columns.front().name; }

// Where a list's rows come from: a FROM clause and the tables in it, the
// first being the one whose index gives the order.
struct Source {
  QString from;
  QStringList tables;
  QString itemNumber = {};  // the number the second table is joined by, if any

  // Each table up to its highest key when the reading began. The key inside
  // a cast keeps the file engine from reading by key instead of in the list's
  // order; the server sees through it and estimates how many rows it keeps.
  QString bounds() const {
    QStringList conditions;
    for (const QString& t : tables) conditions << QStringLiteral("CAST(%1.%2 AS BIGINT) <= ?").arg(t, keyOf(t));
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
};

Source joined(const char* table, const char* items, const char* itemColumn, const char* tableColumn) {
  const QByteArray left = QByteArray(table) + '.' + tableColumn;
  const QByteArray right = QByteArray(items) + '.' + itemColumn;
  return {QStringLiteral("%1 JOIN %2 ON %3").arg(QLatin1String(table), QLatin1String(items), same(left, right)),
          {QLatin1String(table), QLatin1String(items)},
          QLatin1String(itemColumn)};
}
Source inquiryItems() { return joined("tinquiry", "titemdescom", "inqnum", "inqnum"); }
Source quoteItems() { return joined("tquote", "titemdescom", "quotenum", "quotenum"); }
Source orderItems() { return joined("tpo", "titemdescom", "ponum", "ponum"); }
Source invoiceItems() { return joined("tinvoice", "titemdescom", "invoicenum", "invoicenum"); }
Source table(const char* name) { return {QLatin1String(name), {QLatin1String(name)}, {}}; }

// A column of a list: its result name and the table column it shows.
struct ListColumn {
  QString name;
  QString table;
  QString column;
  bool text = false;
};

std::vector<ListColumn> listColumns(const QString& columns, const QStringList& tables) {
  std::vector<ListColumn> result;
  for (const QString& written : columns.split(',')) {
    const QString expression = written.section(QStringLiteral(" AS "), 0, 0).trimmed();
    const QString alias = written.section(QStringLiteral(" AS "), 1).trimmed().remove('"');
    ListColumn c{alias, expression.section('.', 0, -2), expression.section('.', -1)};
    for (int t = 0; c.table.isEmpty() && t < tables.size(); ++t)
      if (tableNamed(tables[t]).columnIndex(c.column) >= 0) c.table = tables[t];
    if (c.name.isEmpty()) c.name = c.column;
    c.text = tableNamed(c.table).column(c.column).type == ColumnType::Text;
    result.push_back(c);
  }
  return result;
}

const ListColumn& columnNamed(const std::vector<ListColumn>& columns, const QString& name) {
  for (const ListColumn& c : columns)
    if (c.name == name) return c;
  throw DbError(DbErrorKind::Other, QStringLiteral("Database error: a list has no column %1 to sort by.").arg(name));
}

// "client ASC, inqnum DESC" over result names; texts fold their letter case.
std::vector<SortTerm> terms(const QString& order, const std::vector<ListColumn>& columns) {
  std::vector<SortTerm> result;
  for (QString term : order.split(',')) {
    term = term.trimmed();
    const QString name = term.section(' ', 0, -2).remove('"');
    result.push_back({name, term.endsWith(QLatin1String(" DESC")), columnNamed(columns, name).text});
  }
  return result;
}

QString where(const Source& source, const QString& condition) {
  return source.bounds() + (condition.isEmpty() ? QString() : QStringLiteral(" AND ") + condition);
}

// A list with what its indexes are made of: the driving table's columns, and
// the joined table's in its turn.
struct ListDefinition {
  SortedQuery query;
  std::vector<SortTerm> stated;  // the order as the list states it, before keys or other columns complete it
  std::vector<ListColumn> columns;
  QString drivingTable;
  QString condition;  // on the driving table alone: the index covers only these rows
  ListIndex joinedIndex = {};  // the joined rows of one driving row in the list's order, when they may be several
};

// The index in the list's order on its driving table, up to the first term
// from another table or the driving table's own document number and its key:
// each number is stored once, so what follows it orders one row.
ListIndex indexOf(const ListDefinition& list) {
  ListIndex index{list.drivingTable, {}, list.condition};
  bool numbered = false;
  for (const SortTerm& term : list.query.order) {
    const ListColumn& column = columnNamed(list.columns, term.column);
    if (column.table != list.drivingTable || (numbered && column.column != keyOf(column.table))) break;
    index.terms.push_back({column.column, term.descending, term.folded});
    numbered = numbered || isUniqueNumber(column.table, column.column);
  }
  return index;
}

// One row per joined row; the tables' keys come along and end the order, so
// that equal rows stay apart when the list is read a page at a time.
ListDefinition listed(const QString& columns, const Source& source, const QString& order) {
  const std::vector<ListColumn> shown = listColumns(columns + QStringLiteral(", ") + source.keys(), source.tables);
  std::vector<SortTerm> keyed = terms(order, shown);
  for (const QString& t : source.tables) keyed.push_back({keyOf(t), false, false, true});
  return {{QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4").arg(columns, source.keys(), source.from, source.bounds()),
           keyed, {}, source.marks(), SortedQuery::Kind::Keyed, {}},
          terms(order, shown), shown, source.tables.front(), {}};
}

// Each distinct combination once: the order goes on over every other column,
// so that equal rows are neighbours and are dropped while reading.
//
// Right after the driving table's document number, its key joins the order:
// the number is stored once, so the key changes nothing in it, but it tells the
// engines that what follows orders the rows of one document; those of the
// joined table then come off an index of their own in the same order.
ListDefinition grouped(const QString& columns, const Source& source, const QString& condition, const QString& order) {
  std::vector<ListColumn> shown = listColumns(columns, source.tables);
  std::vector<SortTerm> complete = terms(order, shown);
  for (const ListColumn& c : shown) {
    bool ordered = false;
    for (const SortTerm& t : complete) ordered = ordered || t.column == c.name;
    if (!ordered) complete.push_back({c.name, false, c.text});
  }
  const QString driving = source.tables.front();
  QString rows = QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(columns, source.from, where(source, condition));
  QString reference;
  ListIndex joinedIndex;
  for (size_t t = 0; t < complete.size(); ++t) {
    const ListColumn& number = columnNamed(shown, complete[t].column);
    if (number.table != driving || !isUniqueNumber(driving, number.column)) continue;
    const QString key = keyOf(driving);
    shown.push_back({key, driving, key, false});
    complete.insert(complete.begin() + qsizetype(t) + 1, SortTerm{key, false, false, true});
    reference = rows;
    rows = QStringLiteral("SELECT %1, %2.%3 FROM %4 WHERE %5").arg(columns, driving, key, source.from, where(source, condition));
    const QString joined = source.tables.value(1);
    if (joined.isEmpty() || isUniqueNumber(joined, source.itemNumber)) break;
    joinedIndex = {joined, {}, {}, QStringLiteral("lower(trim(\"%1\"))").arg(source.itemNumber)};
    for (size_t j = t + 2; j < complete.size(); ++j)  // the driving table's own hold still within one document
      if (columnNamed(shown, complete[j].column).table == joined)
        joinedIndex.terms.push_back({columnNamed(shown, complete[j].column).column, complete[j].descending, complete[j].folded});
    break;
  }
  return {{rows, complete, {}, source.marks(), SortedQuery::Kind::Distinct, reference},
          terms(order, shown), shown, driving, condition, joinedIndex};
}

// Inquiries by make: the make is the summary row's and the client the
// inquiry's, so no index of either table has that order. The store keeps the
// pairs in a table of their own (see inquirymakes.h), whose index does; the
// list reads the same rows and order as the plain join. Its key is the
// summary row's, which orders one row after the inquiry's number.
ListDefinition inquiriesByMake() {
  ListDefinition list = grouped("manf, client, tinquiry.inqnum, itemdes, quotesendstatus", inquiryItems(), {},
                                "manf ASC, client ASC, inqnum DESC");
  list.query.rows = QStringLiteral(
      "SELECT m.manf, m.client, m.inqnum, titemdescom.itemdes, tinquiry.quotesendstatus, m.pkey FROM tinquirymakes m "
      "JOIN titemdescom ON titemdescom.pkey = m.pkey JOIN tinquiry ON tinquiry.pkeyinq = m.pkeyinq WHERE %1")
                        .arg(inquiryItems().bounds());
  list.drivingTable = QStringLiteral("tinquirymakes");
  for (SortTerm& term : list.query.order)
    if (term.column == QLatin1String("pkeyinq")) term.column = QStringLiteral("pkey");
  for (ListColumn& c : list.columns) {
    if (c.column == QLatin1String("pkeyinq")) c.name = c.column = QStringLiteral("pkey");
    if (c.name != QLatin1String("itemdes") && c.name != QLatin1String("quotesendstatus")) c.table = list.drivingTable;
  }
  return list;
}

// The latest fifty entries of a sign-in log.
ListDefinition latestSignIns(const char* log, bool distinct) {
  const Source source = table(log);
  const QString key = keyOf(QLatin1String(log));
  const QString columns = distinct ? QStringLiteral("DISTINCT login, \"date\", \"time\"")
                                   : QStringLiteral("login, \"date\", \"time\", ") + source.keys();
  const std::vector<ListColumn> shown = listColumns(QStringLiteral("login, date, time, ") + key, {log});
  std::vector<SortTerm> order = {{"date", true}, {"time", true}};
  order.push_back(distinct ? SortTerm{"login", false, true} : SortTerm{key, true, false, true});
  SortedQuery query{QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(columns, source.from, source.bounds()), order, {},
                    source.marks(), distinct ? SortedQuery::Kind::Plain : SortedQuery::Kind::Keyed};
  query.latest = 50;
  return {query, {order.begin(), order.begin() + 2}, shown, QLatin1String(log), {}};
}

// A one-row total of what is still open: computed off the window's thread.
ListDefinition total(const QString& rows, const char* column, const std::vector<KeyMark>& marks) {
  return {{rows, {{QLatin1String(column)}}, {}, marks, SortedQuery::Kind::Computed, {}}, {}, {}, {}, {}};
}

QHash<QString, ListDefinition> buildQueries() {
  QHash<QString, ListDefinition> q;
  // The view data form. The invoice is found by its number; that it names
  // the order too is written so that the server cannot look into it: taken
  // as unrelated to the number, the two would have it expect one row from the
  // whole chain and sort it all rather than read it in the list's order.
  const Source chain{
      QStringLiteral("tinquiry JOIN taddressbook ON %1 JOIN titemdescom ON %2 JOIN tquote ON %3 JOIN tpo ON %4 "
                     "JOIN tinvoice ON %6 AND coalesce(%5, 1 = 0)")
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
      chain, "client ASC, inqnum ASC");
  q["adinq"] = listed("client, area, tinquiry.inqnum, inqdate, brate, inqduedate, quotesendstatus, itemdes, qty, manf",
                      inquiryItems(), "inqdate DESC, client ASC");
  q["adquote"] = listed("client, tquote.quotenum, quotedate, quoterate, itemdes, qty, manf, orderstatus", quoteItems(),
                        "client ASC, quotenum ASC");
  q["adpo"] = listed("client, tpo.ponum, podate, povalue, orderexecutionstatus, taxmode, invoicemode, paymentterm, poduedate, "
                     "itemdes, qty, manf, reasonfornotexecuted",
                     orderItems(), "podate DESC, client ASC");
  q["adinvoice"] = listed("client, tinvoice.invoicenum, invoicedate, invoiceamount, paymentstatus, invoiceduedate, reason, "
                          "challannum, challandate, itemdes, qty, manf",
                          invoiceItems(), "client ASC, invoicenum ASC");
  q["adaddress"] = listed("client, area, inqnum, principalengg, contactperson, designation, telephonelandline, fax, mobile, "
                          "address, state, email, website, login",
                          table("taddressbook"), "client ASC, inqnum ASC");

  // The query form: inquiries.
  q["adinqclient"] = grouped("client, tinquiry.inqnum, inqdate, itemdes, quotesendstatus", inquiryItems(), {},
                             "client ASC, quotesendstatus ASC, inqnum DESC");
  // The columns named as the grid shows them.
  q["adinqarea"] = grouped("area AS \"AREA\", client AS \"CLIENT\", tinquiry.inqnum AS \"INQUIRY NO\", inqdate AS \"INQ DATE\", "
                           "itemdes AS \"DESCRIPTION\", quotesendstatus AS \"QUOTE SEND STATUS\"",
                           inquiryItems(), {}, "AREA ASC, CLIENT ASC, \"QUOTE SEND STATUS\" ASC, \"INQUIRY NO\" ASC");
  q["adinqduedate"] = grouped("inqduedate, client, tinquiry.inqnum, itemdes, quotesendstatus", inquiryItems(), {},
                              "inqduedate DESC, client ASC, quotesendstatus ASC, inqnum DESC");
  q["adinqmanf"] = inquiriesByMake();
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
  q["adlogin"] = latestSignIns("tloginwork", true);
  q["adeditdatalogin"] = latestSignIns("tlogineditdata", false);

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

const QHash<QString, ListDefinition>& queries() {
  static const QHash<QString, ListDefinition> all = buildQueries();
  return all;
}

// The edit grids' tables, each in the order its grid shows it.
const QHash<QString, QString>& tableOrders() {
  static const QHash<QString, QString> orders = {
      {"tinquiry", "client ASC, inqdate DESC, inqnum ASC"}, {"tquote", "client ASC, quotenum DESC"},
      {"tpo", "client ASC, ponum ASC"},                     {"tinvoice", "client ASC, invoicenum DESC"},
      {"titemdescom", "inqnum ASC"},                        {"titeminq", "client ASC, inqnum ASC"},
      {"taddressbook", "client ASC, inqnum DESC"},
  };
  return orders;
}

ListDefinition correcting(const QString& name) {
  const auto order = tableOrders().find(name);
  if (order == tableOrders().end())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: the table %1 is not corrected here.").arg(name));
  const Source source{name, {name}};
  QStringList names;
  for (const Column& c : tableNamed(name).columns) names << c.name;
  const std::vector<ListColumn> columns = listColumns(names.join(','), source.tables);
  std::vector<SortTerm> keyed = terms(*order, columns);
  keyed.push_back({keyOf(name), false, false, true});
  return {{QStringLiteral("SELECT * FROM %1 WHERE %2").arg(name, source.bounds()), keyed, {}, source.marks(),
           SortedQuery::Kind::Keyed, {}},
          terms(*order, columns), columns, name, {}};
}

}  // namespace

SortedQuery viewQuery(const QString& dataControl) {
  const auto found = queries().find(dataControl);
  if (found == queries().end())
    throw DbError(DbErrorKind::Other, QStringLiteral("Database error: no list named %1.").arg(dataControl));
  return found->query;
}

QStringList viewQueryNames() { return queries().keys(); }

std::vector<SortTerm> statedOrder(const QString& dataControl) {
  const auto found = queries().find(dataControl);
  return found == queries().end() ? std::vector<SortTerm>() : found->stated;
}

SortedQuery tableQuery(const QString& table) { return correcting(table).query; }

QStringList correctedTables() { return tableOrders().keys(); }

std::vector<ListIndex> viewListIndexes() {
  std::vector<ListIndex> indexes;
  for (const ListDefinition& list : queries()) {
    if (list.query.kind != SortedQuery::Kind::Computed) indexes.push_back(indexOf(list));
    if (!list.joinedIndex.terms.empty()) indexes.push_back(list.joinedIndex);
  }
  for (const QString& name : correctedTables()) indexes.push_back(indexOf(correcting(name)));
  return indexes;
}
