#pragma once

#include <QList>
#include <QStringList>

#include "toolkit/prompter.h"

// Answers message and input boxes from a script, in place of the prompter it
// replaces until it goes. Every message must be the
// next one expected (text, and title when given); anything else is recorded
// as a failure, which tests check with QVERIFY2(p.done(), p.report()).
class ScriptedPrompter : public Prompter {
 public:
  ScriptedPrompter();
  ~ScriptedPrompter() override;

  ScriptedPrompter& expect(const QString& text, Answer answer = Answer::Ok);
  ScriptedPrompter& expect(const QString& text, const QString& title, Answer answer = Answer::Ok,
                           Icon icon = Icon::None);
  // An input box with this prompt and title, answered with `reply` (empty: cancelled).
  ScriptedPrompter& expectInput(const QString& prompt, const QString& title, const QString& reply,
                                Echo echo = Echo::Shown);
  // Any message containing this text, answered OK.
  ScriptedPrompter& expectContaining(const QString& part);

  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
  QString input(const QString& prompt, const QString& title, Echo echo) override;

  bool done() const { return pending_.isEmpty() && failures_.isEmpty(); }
  QByteArray report() const;
  QStringList seen() const { return seen_; }
  void reset();

 private:
  struct Expected {
    QString text;
    QString title;
    bool checkTitle = false;
    bool checkIcon = false;
    bool containing = false;
    bool isInput = false;
    Icon icon = Icon::None;
    Answer answer = Answer::Ok;
    QString reply;
    Echo echo = Echo::Shown;
  };
  Prompter* replaced_;
  QList<Expected> pending_;
  QStringList failures_;
  QStringList seen_;
};
