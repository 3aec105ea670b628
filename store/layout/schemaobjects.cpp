#include "store/layout/schemaobjects.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/layout/newschema.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/transaction.h"

namespace {

// The file keeps each object's creating statement as the engine normalised it.
const QString kFileObjects = QStringLiteral(
    "SELECT type, name, sql FROM sqlite_master WHERE type IN ('trigger', 'index') AND sql IS NOT NULL");

// The server describes each trigger with its function's body and rights, and
// each index, with the schema's name taken out so that two schemas compare.
const QString kServerObjects = QStringLiteral(
    "SELECT 'trigger', c.relname || '.' || t.tgname, replace(pg_get_triggerdef(t.oid) || ' ' || t.tgenabled::text || ' ' || "
    "p.prosecdef::text || ' ' || p.prosrc, quote_ident(current_schema()) || '.', '') FROM pg_trigger t JOIN pg_class c ON "
    "c.oid = t.tgrelid JOIN pg_proc p ON p.oid = t.tgfoid WHERE c.relnamespace = current_schema()::regnamespace AND "
    "NOT t.tgisinternal UNION ALL SELECT 'index', indexname, replace(indexdef, quote_ident(current_schema()) || '.', '') "
    "FROM pg_indexes WHERE schemaname = current_schema()");

void describe(const QString& name, const QString& kind, QStringList& problems, const QString& how) {
  problems << QStringLiteral("the program's %1 %2 %3").arg(kind, name, how);
}

}  // namespace

SchemaObjects schemaObjectsOf(Connection& connection) {
  SchemaObjects objects;
  Statement list(connection, connection.engine() == EngineKind::File ? kFileObjects : kServerObjects);
  while (list.step())
    (list.value(0).toString() == QLatin1String("trigger") ? objects.triggers : objects.indexes)
        .insert(list.value(1).toString(), list.value(2).toString());
  return objects;
}

SchemaObjects expectedSchemaObjects(Connection& live) {
  if (live.engine() == EngineKind::File) {
    QTemporaryDir scratch;
    auto fresh = Connection::open(scratch.filePath(QStringLiteral("expected.db")), Connection::OpenMode::CreateNew);
    // A throwaway: nothing in it needs to survive a crash, so no waits for the disk.
    fresh->execute(QStringLiteral("PRAGMA synchronous = OFF"));
    fresh->execute(QStringLiteral("PRAGMA journal_mode = MEMORY"));
    createSchema(*fresh);
    return schemaObjectsOf(*fresh);
  }
  try {
    Transaction takenBack(live);
    const QString schema = QStringLiteral("vantora_expected_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    live.execute(QStringLiteral("CREATE SCHEMA %1").arg(schema));
    live.execute(QStringLiteral("SET LOCAL search_path TO %1").arg(schema));
    createSchema(live);
    return schemaObjectsOf(live);
  } catch (const DbError& error) {
    if (error.kind() != DbErrorKind::NoPermission) throw;
    return {{}, {}, false};
  }
}

QStringList schemaObjectProblems(const SchemaObjects& expected, const SchemaObjects& found) {
  QStringList problems;
  if (!expected.known) return problems;
  const std::pair<const QMap<QString, QString>*, const QMap<QString, QString>*> kinds[] = {
      {&expected.triggers, &found.triggers}, {&expected.indexes, &found.indexes}};
  for (const auto& [wanted, present] : kinds) {
    const QString kind = wanted == &expected.triggers ? QStringLiteral("trigger") : QStringLiteral("index");
    for (auto it = wanted->begin(); it != wanted->end(); ++it) {
      if (!present->contains(it.key()))
        describe(it.key(), kind, problems, QStringLiteral("is missing"));
      else if (present->value(it.key()) != it.value())
        describe(it.key(), kind, problems, QStringLiteral("was altered"));
    }
  }
  for (auto it = found.triggers.begin(); it != found.triggers.end(); ++it)
    if (!expected.triggers.contains(it.key()))
      problems << QStringLiteral("a trigger the program does not know: %1").arg(it.key());
  return problems;
}
