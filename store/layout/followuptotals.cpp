#include "store/layout/followuptotals.h"

#include <QMap>
#include <utility>

#include "store/connection.h"
#include "store/sqldialect.h"
#include "store/statement.h"

namespace {

const char* const kStageNames[kFollowUpStageCount] = {"inquiries", "quotations", "orders", "invoices"};

// A row of another table that decides whether documents of a stage are open:
// its `column` names them by their `documentColumn`.
struct Dependency {
  FollowUpStage stage;
  const char* table;
  const char* column;
  const char* documentColumn;
};

// Every table the open condition looks into, besides the stage's own.
const Dependency kDependencies[] = {
    {FollowUpStage::Inquiries, "titemdescom", "inqnum", "inqnum"},
    {FollowUpStage::Inquiries, "tquote", "inqnum", "inqnum"},
    {FollowUpStage::Quotations, "titemdescom", "quotenum", "quotenum"},
    {FollowUpStage::Quotations, "taddressbook", "inqnum", "inqnum"},
    {FollowUpStage::Quotations, "tpo", "quotenum", "quotenum"},
    {FollowUpStage::Orders, "titemdescom", "ponum", "ponum"},
    {FollowUpStage::Orders, "tinvoice", "ponum", "ponum"},
};

QString documentColumn(const char* name) { return QStringLiteral("d.") + QLatin1String(name); }

QString forgetDocument(FollowUpStage stage, const QString& rowKey) {
  return QStringLiteral("DELETE FROM tfollowupopen WHERE stage = %1 AND docrowid = %2;").arg(int(stage)).arg(rowKey);
}

// The documents of the stage that `selection`, over `d`, picks.
QString forgetDocuments(FollowUpStage stage, const QString& selection) {
  const StageColumns& s = stageColumns(stage);
  return QStringLiteral("DELETE FROM tfollowupopen WHERE stage = %1 AND docrowid IN (SELECT d.%2 FROM %3 d WHERE %4);")
      .arg(int(stage))
      .arg(QLatin1String(s.key), QLatin1String(s.table), selection);
}

QString addOpenDocuments(FollowUpStage stage, const QString& selection) {
  const StageColumns& s = stageColumns(stage);
  return QStringLiteral("INSERT INTO tfollowupopen (stage, docrowid, agedfrom, amount) SELECT %1, d.%2, coalesce(d.%3, ''), "
                        "d.%4 FROM %5 d WHERE %6 AND %7;")
      .arg(int(stage))
      .arg(QLatin1String(s.key), QLatin1String(s.agedFrom), QLatin1String(s.value), QLatin1String(s.table), selection,
           openCondition(stage));
}

QString recount(FollowUpStage stage, const QString& selection) {
  return forgetDocuments(stage, selection) + addOpenDocuments(stage, selection);
}

// The stage's own columns whose change may change a document's row.
QStringList ownColumns(FollowUpStage stage) {
  const StageColumns& s = stageColumns(stage);
  QStringList columns;
  for (const char* column : {s.number, s.agedFrom, s.value, s.status}) columns << QLatin1String(column);
  for (const Dependency& d : kDependencies)
    if (d.stage == stage) columns << QLatin1String(d.documentColumn);
  columns.removeDuplicates();
  return columns;
}

struct Trigger {
  QString timing;
  QString body;
};

std::vector<Trigger> stageTriggers(FollowUpStage stage) {
  const StageColumns& s = stageColumns(stage);
  const QString table = QLatin1String(s.table), key = QLatin1String(s.key);
  const QString thisRow = QStringLiteral("d.%1 = new.%1").arg(key);
  std::vector<Trigger> triggers = {
      {QStringLiteral("AFTER INSERT ON %1").arg(table), addOpenDocuments(stage, thisRow)},
      {QStringLiteral("AFTER UPDATE OF %1 ON %2").arg(ownColumns(stage).join(QStringLiteral(", ")), table),
       forgetDocument(stage, "old." + key) + addOpenDocuments(stage, thisRow)},
      {QStringLiteral("AFTER DELETE ON %1").arg(table), forgetDocument(stage, "old." + key)},
  };
  for (const Dependency& d : kDependencies) {
    if (d.stage != stage) continue;
    const auto named = [&d](const char* row) {
      return sameDocumentNumber(documentColumn(d.documentColumn), QLatin1String(row) + '.' + QLatin1String(d.column));
    };
    triggers.push_back({QStringLiteral("AFTER INSERT ON %1").arg(QLatin1String(d.table)), recount(stage, named("new"))});
    triggers.push_back({QStringLiteral("AFTER UPDATE OF %1 ON %2").arg(QLatin1String(d.column), QLatin1String(d.table)),
                        recount(stage, named("old")) + recount(stage, named("new"))});
    triggers.push_back({QStringLiteral("AFTER DELETE ON %1").arg(QLatin1String(d.table)), recount(stage, named("old"))});
  }
  return triggers;
}

std::vector<Trigger> totalTriggers(const SqlDialect& dialect) {
  const QString sameDate = QStringLiteral("WHERE stage = %1.stage AND agedfrom = %1.agedfrom");
  return {{QStringLiteral("AFTER INSERT ON tfollowupopen"),
           dialect.insertSkippingKnown(QStringLiteral("INTO tfollowuptotal (stage, agedfrom, documents, amount) SELECT "
                                                      "new.stage, new.agedfrom, 0, 0")) +
               QStringLiteral("; UPDATE tfollowuptotal SET documents = documents + 1, amount = amount + "
                              "coalesce(new.amount, 0) %1;")
                   .arg(sameDate.arg("new"))},
          {QStringLiteral("AFTER DELETE ON tfollowupopen"),
           QStringLiteral("UPDATE tfollowuptotal SET documents = documents - 1, amount = amount - coalesce(old.amount, 0) "
                          "%1; DELETE FROM tfollowuptotal %1 AND documents = 0;")
               .arg(sameDate.arg("old"))}};
}

void createTriggers(Connection& connection, const QString& name, const std::vector<Trigger>& triggers) {
  int n = 0;
  for (const Trigger& trigger : triggers)
    for (const QString& statement :
         connection.dialect().createTrigger(QStringLiteral("followup_%1_%2").arg(name).arg(++n), trigger.timing, trigger.body))
      connection.execute(statement);
}

using DateTotals = QMap<QString, std::pair<qint64, qint64>>;

DateTotals readTotals(Connection& connection, const QString& sql, const QVariantList& parameters) {
  DateTotals totals;
  Statement rows(connection, sql);
  rows.bindAll(parameters);
  while (rows.step()) totals.insert(rows.value(0).toString(), {rows.value(1).toLongLong(), rows.value(2).toLongLong()});
  return totals;
}

}  // namespace

void createFollowUpBookkeeping(Connection& connection) {
  const QString text = connection.dialect().textType();
  connection.execute(QStringLiteral("CREATE TABLE tfollowupopen (stage INTEGER NOT NULL, docrowid BIGINT NOT NULL, agedfrom %1 "
                                    "NOT NULL, amount BIGINT, PRIMARY KEY (stage, docrowid))")
                         .arg(text));
  connection.execute(QStringLiteral("CREATE TABLE tfollowuptotal (stage INTEGER NOT NULL, agedfrom %1 NOT NULL, documents "
                                    "BIGINT NOT NULL, amount BIGINT NOT NULL, PRIMARY KEY (stage, agedfrom))")
                         .arg(text));
  // A cell's list in its order: a first screen reads only what it shows.
  connection.execute(QStringLiteral("CREATE INDEX ix_tfollowupopen_list ON tfollowupopen (stage, %1, %2)")
                         .arg(connection.dialect().orderTerm(QStringLiteral("agedfrom"), false),
                              connection.dialect().orderTerm(QStringLiteral("docrowid"), false)));
  // Filled in one go before the triggers exist: they would count each row twice.
  for (int stage = 0; stage < kFollowUpStageCount; ++stage)
    connection.execute(addOpenDocuments(FollowUpStage(stage), QStringLiteral("1 = 1")));
  connection.execute(QStringLiteral("INSERT INTO tfollowuptotal (stage, agedfrom, documents, amount) SELECT stage, agedfrom, "
                                    "count(*), coalesce(sum(amount), 0) FROM tfollowupopen GROUP BY stage, agedfrom"));
  createTriggers(connection, QStringLiteral("totals"), totalTriggers(connection.dialect()));
  for (int stage = 0; stage < kFollowUpStageCount; ++stage)
    createTriggers(connection, QLatin1String(kStageNames[stage]), stageTriggers(FollowUpStage(stage)));
}

QString scannedFollowUpTotals(FollowUpStage stage) {
  const StageColumns& s = stageColumns(stage);
  return QStringLiteral("SELECT coalesce(d.%1, '') AS agedfrom, count(*) AS documents, coalesce(sum(d.%2), 0) AS amount "
                        "FROM %3 d WHERE %4 GROUP BY coalesce(d.%1, '')")
      .arg(QLatin1String(s.agedFrom), QLatin1String(s.value), QLatin1String(s.table), openCondition(stage));
}

QStringList followUpTotalProblems(Connection& connection) {
  constexpr int kMostReported = 20;
  QStringList problems;
  for (int stage = 0; stage < kFollowUpStageCount; ++stage) {
    const DateTotals kept = readTotals(
        connection, QStringLiteral("SELECT agedfrom, documents, amount FROM tfollowuptotal WHERE stage = ?"), {stage});
    const DateTotals open = readTotals(connection, scannedFollowUpTotals(FollowUpStage(stage)), {});
    QStringList dates = kept.keys() + open.keys();
    dates.removeDuplicates();
    for (const QString& date : dates) {
      const auto k = kept.value(date), o = open.value(date);
      if (k == o || problems.size() >= kMostReported) continue;
      problems << QStringLiteral("the follow-up totals of %1 %2 hold %3 documents worth %4, but %5 worth %6 are open")
                      .arg(QLatin1String(kStageNames[stage]),
                           date.isEmpty() ? QStringLiteral("without a date") : QStringLiteral("dated ") + date)
                      .arg(k.first)
                      .arg(k.second)
                      .arg(o.first)
                      .arg(o.second);
    }
  }
  return problems;
}
