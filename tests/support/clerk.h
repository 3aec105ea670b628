#pragma once

#include <QList>
#include <QString>

#include "tests/support/formbench.h"
#include "tests/support/scriptedprompter.h"

class QComboBox;
class QLineEdit;
class QListWidget;

struct ItemLineEntry {
  QString suffix, description, quantity, make;
};

extern const QString kSaveQuestion;

// A clerk at a bench, signed in: opens forms, finds their controls by name,
// types, leaves boxes, clicks, answers SAVE, and enters whole documents
// through their forms.
class Clerk {
 public:
  explicit Clerk(const QString& name = QStringLiteral("clerk"));

  FormBench bench;
  ScriptedPrompter prompts;
  QWidget* form = nullptr;

  QWidget* open(const QString& formName);
  bool isOpen(const QString& formName) { return bench.host().find(formName) != nullptr; }

  QWidget* at(const QString& name);
  QComboBox* combo(const QString& name);
  QLineEdit* box(const QString& name);
  QListWidget* list(const QString& name);

  void type(const QString& name, const QString& text) { bench.type(at(name), text); }
  void enter(const QString& name, const QString& text);  // type, then leave the box
  void click(const QString& name) { bench.click(at(name)); }
  // The save question answered YES; `then`, when given, is part of the message that follows.
  void saveYes(const QString& button, const QString& then = {});

  QString stored(const QString& sql) { return bench.db().scalar(sql).toString(); }
  QString storedList(const QString& sql, const QString& separator = QStringLiteral(",")) {
    return bench.db().joined(sql, separator);
  }
  qint64 rows(const QString& table) { return bench.db().count(table); }

  void enterInquiry(const QString& number, const QString& client, const QList<ItemLineEntry>& lines);
  void enterQuotation(const QString& inquiry, const QString& number);
  void enterOrder(const QString& quotation, const QString& number);
};
