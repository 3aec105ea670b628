#include "tools/demodata.h"

#include <QDate>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <random>

#include "store/connection.h"
#include "store/itemlines.h"
#include "store/rowwriter.h"
#include "store/transaction.h"

namespace {

// Invented names only: no make or client here is a real company's.
const QStringList kClientNames = {"SURYAVEL", "KAVRIKA", "DHANORI", "MEGHVAN", "TARANGI", "VASHPA",
                                  "PRAVIRA",  "ANANDI",  "ROHIVA",  "SAVLI",   "KESHORA", "BHAVRI"};
const QStringList kClientTrades = {"TEXTILES",     "SUGAR MILLS", "CHEMICALS", "WATER WORKS", "PAPER MILLS",
                                   "STEEL",        "CEMENT WORKS", "FERTILISERS", "DAIRY",     "DISTILLERIES"};
const QStringList kAreas = {"PUNE", "NASHIK", "INDORE", "BHOPAL", "SURAT", "NAGPUR", "AURANGABAD", "KOLHAPUR"};
const QStringList kStates = {"MAHARASHTRA", "MADHYA PRADESH", "GUJARAT"};
const QStringList kMakes = {"NIRAVAL", "TORVEX", "JALVIK", "SHAKTIRA", "VEGADRIVE", "KORVAN", "PRAVAHI", "DHRUVEX"};
const QStringList kContacts = {"MR. R. K. SHARMA", "MR. S. PATIL", "MRS. A. DESHMUKH", "MR. V. JOSHI", "MS. N. KULKARNI"};
const QStringList kDesignations = {"PURCHASE MANAGER", "WORKS MANAGER", "MAINTENANCE ENGINEER"};
const QStringList kItems[] = {
    {"CENTRIFUGAL PUMP 50X32", "MONOBLOCK PUMP 2HP", "SUBMERSIBLE PUMP 5HP"},
    {"IMPELLER", "MECHANICAL SEAL", "SHAFT SLEEVE"},
    {"BASE PLATE", "FOUNDATION BOLTS", "COUPLING GUARD"},
    {"PIN BUSH COUPLING", "TYRE COUPLING", "JAW COUPLING"},
    {"RUBBER BUSH SET", "COUPLING PIN", "SPIDER ELEMENT"},
    {"MOTOR 7.5HP 4P", "MOTOR 15HP 2P", "FLAMEPROOF MOTOR 5HP"},
    {"PRESSURE GAUGE", "FOOT VALVE", "GATE VALVE 2IN"},
};
const char* const kUsers[] = {"clerk", "manager"};

class DemoWriter {
 public:
  DemoWriter(Connection& connection, int unquotedPercent)
      : unquotedPercent_(unquotedPercent), inquiries_(connection, "tinquiry"), items_(connection, "titeminq"), summaries_(connection, "titemdescom"),
        quotes_(connection, "tquote"), orders_(connection, "tpo"), invoices_(connection, "tinvoice"),
        addresses_(connection, "taddressbook"), random_(20261209) {}

  void transaction(int n, int day) {
    const QString inq = QStringLiteral("INQ/%1").arg(n, 6, 10, QLatin1Char('0'));
    const QString client = pickClient();
    const QString area = pick(kAreas);
    const QString login = kUsers[n % 2];
    const QDate inqDate = QDate(2024, 1, 1).addDays(day);
    const bool quoted = chance(100) >= unquotedPercent_;
    const int later = chance(100);  // of the quoted: 18 % quoted only, 24 % ordered, 24 % invoiced, the rest paid
    const bool ordered = quoted && later >= 18, invoiced = quoted && later >= 42, paid = quoted && later >= 66;
    const QString quote = quoted ? QStringLiteral("Q/%1").arg(n, 6, 10, QLatin1Char('0')) : QString();
    const QString po = ordered ? QStringLiteral("PO/%1").arg(n, 6, 10, QLatin1Char('0')) : QString();
    const QString invoice = invoiced ? QStringLiteral("INV/%1").arg(n, 6, 10, QLatin1Char('0')) : QString();

    ItemLines lines;
    QVariantHash item{{"client", client}, {"inqnum", inq}, {"inqdate", inqDate}, {"quotenum", orNull(quote)},
                      {"ponum", orNull(po)}, {"invoicenum", orNull(invoice)}, {"login", login},
                      {"logindate", inqDate}, {"area", area}};
    QString pomanf;
    for (int k = 0; k < kCategoryCount; ++k) {
      if (k != 0 && chance(3) != 0) continue;
      ItemLine& line = lines.lines[size_t(k)];
      line.flag = QStringLiteral("YES");
      line.make = pick(kMakes);
      line.quantity = 1 + chance(20);
      line.description = QStringLiteral("%1(%2)").arg(pick(kItems[k])).arg(line.quantity);
      const bool inStock = chance(2) == 0;
      if (ordered) item.insert("stock" + categories()[size_t(k)].suffix, inStock ? "YES" : "NO");
      if (ordered && !inStock) pomanf += "  " + line.make;
    }
    item.insert(lines.columns());
    items_.append(item);
    QVariantHash summary = lines.summary().columns();
    summary.insert({{"pomanf", orNull(pomanf)}, {"inqnum", inq}, {"quotenum", orNull(quote)}, {"ponum", orNull(po)},
                    {"invoicenum", orNull(invoice)}});
    summaries_.append(summary);
    inquiries_.append({inq, client, inqDate, chance(4) ? QVariant(inqDate.addDays(15)) : QVariant(),
                       1000 * (5 + chance(500)), login, inqDate, quoted ? "YES" : "NO", area});
    if (quoted)
      quotes_.append({inq, client, quote, inqDate.addDays(3), 1000 * (5 + chance(500)), login, inqDate.addDays(3),
                      ordered ? "YES" : "NO", ordered || chance(3) ? QVariant() : QVariant("PRICE HIGH")});
    if (ordered)
      orders_.append({quote, client, po, inqDate.addDays(20), chance(3) ? QVariant(inqDate.addDays(60)) : QVariant(),
                      "AGAINST FORM C", "COMMERCIAL", "EXTRA AT ACTUAL", "30 DAYS CREDIT", 1000 * (5 + chance(500)),
                      login, inqDate.addDays(20), invoiced ? "YES" : "NO", QVariant()});
    if (invoiced)
      invoices_.append({po, client, invoice, invoice, inqDate.addDays(50), inqDate.addDays(80), inqDate.addDays(50),
                        1000 * (5 + chance(500)), login, inqDate.addDays(50), paid ? "YES" : "NO", QVariant()});
    if (chance(5) != 0)
      addresses_.append({inq, login, client, QStringLiteral("%1, MIDC INDUSTRIAL AREA").arg(1 + chance(200)), area,
                         pick(kStates), pick(kContacts), pick(kDesignations), "020-2567" + digits(4),
                         "98220" + digits(5), QVariant(), pick(kContacts), "purchase@example.in", "www.example.in"});
  }

 private:
  int chance(int n) { return int(random_() % unsigned(n)); }
  QString pick(const QStringList& list) { return list[chance(int(list.size()))]; }
  // As clerks type them: mostly in capitals, now and then as written on the letterhead.
  QString pickClient() {
    const QString name = pick(kClientNames) + ' ' + pick(kClientTrades);
    const int style = chance(25);
    if (style == 0) return name.toLower();
    if (style < 3) {
      QStringList words = name.toLower().split(' ');
      for (QString& word : words) word[0] = word[0].toUpper();
      return words.join(' ');
    }
    return name;
  }
  QString digits(int count) {
    QString s;
    for (int i = 0; i < count; ++i) s += QChar('0' + chance(10));
    return s;
  }
  static QVariant orNull(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }

  int unquotedPercent_;
  RowWriter inquiries_, items_, summaries_, quotes_, orders_, invoices_, addresses_;
  std::mt19937 random_;
};

}  // namespace

void fillDemoData(Connection& connection, int transactions, int unquotedPercent,
                  const std::function<void(int written)>& written) {
  std::optional<Transaction> all;  // the caller's, when it holds one
  if (!connection.inTransaction()) all.emplace(connection);
  RowWriter slotRow(connection, "tloginpassword");
  QVariantList slotValues;
  for (const DemoCredentials& c : kDemoSlots) slotValues << c.name << c.password;
  slotRow.append(slotValues);

  // Documents are numbered in the order they are dated, as an office enters
  // them: a day each up to the demo's span, then as many a day as it takes.
  constexpr int kSpanDays = 900;
  DemoWriter writer(connection, unquotedPercent);
  for (int n = 1; n <= transactions; ++n) {
    writer.transaction(n, int(qint64(n) * kSpanDays / std::max(transactions, kSpanDays)));
    if (written && (n % 1000 == 0 || n == transactions)) written(n);
  }

  RowWriter logins(connection, "tloginwork");
  const int signIns = qBound(3, transactions / 10, 5000);
  for (int i = 0; i < signIns; ++i)
    logins.append({kUsers[i % 2], QDate(2024, 1, 1).addDays(i % 900), QStringLiteral("09:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'))});
  logins.append({"clerk", QDate(2026, 12, 1), "09:30:00"});  // the current user of a fresh demo
  if (all) all->commit();
}
