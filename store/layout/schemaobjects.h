#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class Connection;

// The program's own triggers and indexes, by name, as the engine describes
// them: what keeps the open lists and the change log true, and the lists fast.
struct SchemaObjects {
  QMap<QString, QString> triggers;
  QMap<QString, QString> indexes;
  bool known = true;  // false when they could not be made for comparison
};

// The objects a database of this version has when it is made, built afresh
// beside it: a scratch file, or a scratch schema taken back at once on a
// server (which needs the right to create one: the owner's).
SchemaObjects expectedSchemaObjects(Connection& live);
// The objects the database has.
SchemaObjects schemaObjectsOf(Connection& connection);
// Each trigger or index that is missing or altered, and each trigger the
// program does not know.
QStringList schemaObjectProblems(const SchemaObjects& expected, const SchemaObjects& found);
