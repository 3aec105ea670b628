#include "store/sqldialect.h"

#include "store/connection.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/wholenumber.h"

namespace {

QString quoted(const QString& identifier) { return '"' + identifier + '"'; }

QStringList namesFrom(Connection& connection, const QString& sql) {
  Statement names(connection, sql);
  QStringList result;
  while (names.step()) result << names.value(0).toString();
  return result;
}

WholeNumberRange rangeOf(const Column& column) { return column.type == ColumnType::Int16 ? kInt16Range : kInt32Range; }

class FileDialect : public SqlDialect {
 public:
  QString columnDefinition(const Column& c) const override {
    const QString n = quoted(c.name);
    switch (c.type) {
      case ColumnType::Key:
        return n + " INTEGER PRIMARY KEY AUTOINCREMENT";
      case ColumnType::Text:
        return n + QStringLiteral(" TEXT CHECK (%1 IS NULL OR (typeof(%1) = 'text' AND length(%1) <= %2))")
                       .arg(n)
                       .arg(c.maxLength);
      case ColumnType::Int16:
      case ColumnType::Int32: {
        const WholeNumberRange r = rangeOf(c);
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
  QString hiddenRowKeyDefinition() const override { return {}; }  // every row has its rowid
  QString textType() const override { return QStringLiteral("TEXT"); }

  QString sameAsParameter(const QString& column) const override { return column + QStringLiteral(" IS ?"); }
  QString orderTerm(const QString& expression, bool descending, bool) const override {
    return expression + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
  }
  QString insertSkippingKnown(const QString& intoAndSelect) const override {
    return QStringLiteral("INSERT OR IGNORE ") + intoAndSelect;
  }
  QString returningKey(const QString&) const override { return {}; }  // read through lastInsertId

  QStringList createTrigger(const QString& name, const QString& timing, const QString& body) const override {
    return {QStringLiteral("CREATE TRIGGER %1 %2 FOR EACH ROW BEGIN %3 END").arg(quoted(name), timing, body)};
  }
  QStringList createRefusal(const QString& name, const QString& event, const QString& table,
                            const QString& message) const override {
    return {QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                .arg(name, event, table, message)};
  }

  QString changeLogKeyDefinition() const override { return QStringLiteral("pkeychangelog INTEGER PRIMARY KEY AUTOINCREMENT"); }
  QStringList createChangeLogHighWater() const override { return {}; }  // the engine keeps it for AUTOINCREMENT
  QString changeLogHighWater() const override {
    return QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'tchangelog'");
  }

  bool hasTable(Connection& connection, const QString& table) const override {
    Statement found(connection, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    found.bind(1, table);
    return found.step();
  }
  QStringList indexNames(Connection& connection) const override {
    return namesFrom(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
  }
  int schemaVersion(Connection& connection) const override {
    Statement version(connection, QStringLiteral("PRAGMA user_version"));
    return version.step() ? version.value(0).toInt() : 0;
  }
  void setSchemaVersion(Connection& connection, int version) const override {
    connection.execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
  }
  QString integrityCheck(Connection& connection) const override {
    Statement integrity(connection, QStringLiteral("PRAGMA integrity_check"));
    QStringList lines;
    while (integrity.step()) lines << integrity.value(0).toString();
    return lines.join('\n');
  }
  void prepareBulkLoad(Connection& connection) const override {
    connection.execute(QStringLiteral("PRAGMA cache_size = -262144"));  // 256 MiB
    connection.execute(QStringLiteral("PRAGMA temp_store = MEMORY"));
  }
  void settleDeferredWork(Connection&) const override {}  // nothing waits for the commit
  void refreshStatistics(Connection&) const override {}  // the file's plans come from its indexes alone
  void continueKeysAfterCopy(Connection&, const Table&) const override {}  // AUTOINCREMENT follows inserted keys
};

// PostgreSQL. Texts compare byte by byte (collation "C"), as in the file, so
// lists sort the same in both engines.
class ServerDialect : public SqlDialect {
 public:
  QString columnDefinition(const Column& c) const override {
    const QString n = quoted(c.name);
    switch (c.type) {
      case ColumnType::Key:
        return n + " bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
      case ColumnType::Text:
        return n + QStringLiteral(" text COLLATE \"C\" CHECK (char_length(%1) <= %2)").arg(n).arg(c.maxLength);
      case ColumnType::Int16:
      case ColumnType::Int32: {
        const WholeNumberRange r = rangeOf(c);
        const QString range = QStringLiteral(" CHECK (%1 BETWEEN %2 AND %3)").arg(n).arg(r.min).arg(r.max);
        return n + (c.zeroWhenUnused ? " integer NOT NULL DEFAULT 0" : " integer") + range;
      }
      case ColumnType::Date:
        return n + " text COLLATE \"C\" CHECK (" + n + " ~ '^[0-9]{4}-[01][0-9]-[0-3][0-9]$')";
      case ColumnType::Time:
        return n + " text COLLATE \"C\" CHECK (" + n + " ~ '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$')";
    }
    return n;
  }
  QString hiddenRowKeyDefinition() const override {
    return QStringLiteral("rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
  }

  QString textType() const override { return QStringLiteral("text COLLATE \"C\""); }

  QString sameAsParameter(const QString& column) const override {
    return column + QStringLiteral(" IS NOT DISTINCT FROM ?");
  }
  QString orderTerm(const QString& expression, bool descending, bool neverNull) const override {
    if (neverNull) return expression + (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return expression + (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" ASC NULLS FIRST"));
  }
  QString insertSkippingKnown(const QString& intoAndSelect) const override {
    return QStringLiteral("INSERT ") + intoAndSelect + QStringLiteral(" ON CONFLICT DO NOTHING");
  }
  QString returningKey(const QString& keyColumn) const override { return QStringLiteral(" RETURNING ") + quoted(keyColumn); }

  // The function runs with its owner's rights, so that a clerk's role keeps the
  // bookkeeping true without being allowed to write it itself.
  QStringList createTrigger(const QString& name, const QString& timing, const QString& body) const override {
    const QString function = quoted(name + QStringLiteral("_run"));
    return {QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER SET "
                           "search_path FROM CURRENT AS $body$ BEGIN %2 RETURN NEW; END $body$")
                .arg(function, body),
            QStringLiteral("CREATE OR REPLACE TRIGGER %1 %2 FOR EACH ROW EXECUTE FUNCTION %3()").arg(quoted(name), timing, function)};
  }
  QStringList createRefusal(const QString& name, const QString& event, const QString& table,
                            const QString& message) const override {
    const QString function = quoted(name + QStringLiteral("_run"));
    QStringList statements = {
        QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $body$ BEGIN "
                       "RAISE EXCEPTION '%2'; END $body$")
            .arg(function, message),
        QStringLiteral("CREATE OR REPLACE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %4()")
            .arg(quoted(name), event, table, function)};
    // TRUNCATE passes by row triggers, so it is refused as a statement.
    if (event == QLatin1String("DELETE"))
      statements << QStringLiteral("CREATE OR REPLACE TRIGGER %1 BEFORE TRUNCATE ON %2 FOR EACH STATEMENT EXECUTE "
                                   "FUNCTION %3()")
                        .arg(quoted(name + QStringLiteral("_truncate")), table, function);
    return statements;
  }

  // Keys are given by the program under the write lock: a sequence would leave
  // gaps after a rollback, and a gap is how a removed entry shows.
  QString changeLogKeyDefinition() const override { return QStringLiteral("pkeychangelog bigint PRIMARY KEY"); }
  QStringList createChangeLogHighWater() const override {
    QStringList statements = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS tchangeloghighwater (lastkey bigint NOT NULL)"),
        QStringLiteral("INSERT INTO tchangeloghighwater SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM tchangeloghighwater)")};
    // Raised once per transaction, as it commits: raising it at every statement
    // would update one row thousands of times in a long transaction, each update
    // slower than the one before. It runs with the owner's rights: a clerk's role
    // needs none on the table.
    statements << QStringLiteral("CREATE OR REPLACE FUNCTION tchangelog_highwater_run() RETURNS trigger LANGUAGE plpgsql "
                                 "SECURITY DEFINER SET search_path FROM CURRENT AS $body$ BEGIN IF current_setting("
                                 "'vantora.highwater_raised_by', true) IS DISTINCT FROM txid_current()::text THEN UPDATE "
                                 "tchangeloghighwater SET lastkey = greatest(lastkey, (SELECT max(pkeychangelog) FROM "
                                 "tchangelog)); PERFORM set_config('vantora.highwater_raised_by', txid_current()::text, "
                                 "true); END IF; RETURN NULL; END $body$")
               << QStringLiteral("DROP TRIGGER IF EXISTS tchangelog_highwater ON tchangelog")
               << QStringLiteral("CREATE CONSTRAINT TRIGGER tchangelog_highwater AFTER INSERT ON tchangelog DEFERRABLE "
                                 "INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION tchangelog_highwater_run()");
    // Whoever writes it, it never goes down and never past the log's last entry:
    // a false "entries removed" cannot be planted.
    statements << createTrigger(QStringLiteral("tchangeloghighwater_only_up"),
                                QStringLiteral("BEFORE INSERT OR UPDATE ON tchangeloghighwater"),
                                QStringLiteral("IF new.lastkey > coalesce((SELECT max(pkeychangelog) FROM tchangelog), 0) "
                                               "OR (TG_OP = 'UPDATE' AND new.lastkey < old.lastkey) THEN RAISE EXCEPTION "
                                               "'the change log cannot be changed'; END IF;"));
    statements << createRefusal(QStringLiteral("tchangeloghighwater_no_delete"), QStringLiteral("DELETE"),
                                QStringLiteral("tchangeloghighwater"), QStringLiteral("the change log cannot be changed"));
    return statements;
  }
  QString changeLogHighWater() const override { return QStringLiteral("SELECT max(lastkey) FROM tchangeloghighwater"); }

  bool hasTable(Connection& connection, const QString& table) const override {
    Statement found(connection, QStringLiteral("SELECT 1 FROM pg_catalog.pg_tables WHERE schemaname = current_schema() "
                                               "AND tablename = ?"));
    found.bind(1, table);
    return found.step();
  }
  QStringList indexNames(Connection& connection) const override {
    return namesFrom(connection, QStringLiteral("SELECT indexname FROM pg_catalog.pg_indexes WHERE schemaname = current_schema()"));
  }
  int schemaVersion(Connection& connection) const override {
    if (!hasTable(connection, QStringLiteral("tschemaversion"))) return 0;
    Statement version(connection, QStringLiteral("SELECT max(version) FROM tschemaversion"));
    return version.step() ? version.value(0).toInt() : 0;
  }
  void setSchemaVersion(Connection& connection, int version) const override {
    connection.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS tschemaversion (version integer NOT NULL)"));
    connection.execute(QStringLiteral("DELETE FROM tschemaversion"));
    connection.execute(QStringLiteral("INSERT INTO tschemaversion (version) VALUES (%1)").arg(version));
  }
  void prepareBulkLoad(Connection&) const override {}  // the server has its own memory
  void settleDeferredWork(Connection& connection) const override {
    connection.execute(QStringLiteral("SET CONSTRAINTS ALL IMMEDIATE"));
  }
  void refreshStatistics(Connection& connection) const override { connection.execute(QStringLiteral("ANALYZE")); }
  // The server checks its own pages; what is left to check is the data.
  QString integrityCheck(Connection&) const override { return QStringLiteral("ok"); }
  void continueKeysAfterCopy(Connection& connection, const Table& table) const override {
    const QString key = SqlDialect::rowKey(table);
    connection.execute(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), greatest(max(%3), 1), "
                                      "max(%3) IS NOT NULL) FROM %4")
                           .arg(quoted(table.name), key, quoted(key), quoted(table.name)));
  }
};

}  // namespace

const SqlDialect& SqlDialect::of(EngineKind kind) {
  static const FileDialect file;
  static const ServerDialect server;
  return kind == EngineKind::File ? static_cast<const SqlDialect&>(file) : server;
}

QString SqlDialect::rowKey(const Table& table) {
  const Column& first = table.columns.front();
  return first.type == ColumnType::Key ? first.name : QStringLiteral("rowid");
}

QString SqlDialect::keyAndColumns(const Table& table) {
  QStringList names = {quoted(rowKey(table))};
  for (const Column& column : table.columns) names << quoted(column.name);
  return names.join(QStringLiteral(", "));
}

// Each connection speaks its engine's dialect.
const SqlDialect& Connection::dialect() const { return SqlDialect::of(engine()); }
