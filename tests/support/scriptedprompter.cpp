#include "tests/support/scriptedprompter.h"

ScriptedPrompter::ScriptedPrompter() : replaced_(installPrompter(this)) {}

ScriptedPrompter::~ScriptedPrompter() { installPrompter(replaced_); }

ScriptedPrompter& ScriptedPrompter::expect(const QString& text, Answer answer) {
  Expected e;
  e.text = text;
  e.answer = answer;
  pending_ << e;
  return *this;
}

ScriptedPrompter& ScriptedPrompter::expect(const QString& text, const QString& title, Answer answer, Icon icon) {
  Expected e;
  e.text = text;
  e.title = title;
  e.checkTitle = true;
  e.checkIcon = icon != Icon::None;
  e.icon = icon;
  e.answer = answer;
  pending_ << e;
  return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(const QString& prompt, const QString& title, const QString& reply,
                                                Echo echo) {
  Expected e;
  e.text = prompt;
  e.title = title;
  e.isInput = true;
  e.reply = reply;
  e.echo = echo;
  pending_ << e;
  return *this;
}

ScriptedPrompter& ScriptedPrompter::expectContaining(const QString& part) {
  Expected e;
  e.text = part;
  e.containing = true;
  pending_ << e;
  return *this;
}

Prompter::Answer ScriptedPrompter::message(const QString& text, const QString& title, Buttons buttons, Icon icon) {
  seen_ << text;
  const Answer fallback = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  if (pending_.isEmpty() || pending_.front().isInput) {
    failures_ << QStringLiteral("unexpected message [%1] %2").arg(title, text);
    return fallback;
  }
  const Expected e = pending_.takeFirst();
  const bool textMatches = e.containing ? text.contains(e.text) : text == e.text;
  if (!textMatches || (e.checkTitle && title != e.title) || (e.checkIcon && icon != e.icon)) {
    failures_ << QStringLiteral("expected [%1] \"%2\" but got [%3] \"%4\"").arg(e.title, e.text, title, text);
    return fallback;
  }
  if (buttons == Buttons::Ok) return Answer::Ok;
  return e.answer == Answer::Ok ? Answer::Yes : e.answer;
}

QString ScriptedPrompter::input(const QString& prompt, const QString& title, Echo echo) {
  seen_ << prompt;
  if (pending_.isEmpty() || !pending_.front().isInput || pending_.front().text != prompt ||
      pending_.front().title != title || pending_.front().echo != echo) {
    failures_ << QStringLiteral("unexpected input box [%1] %2%3")
                     .arg(title, prompt, echo == Echo::Masked ? QStringLiteral(" (masked)") : QString());
    return {};
  }
  return pending_.takeFirst().reply;
}

QByteArray ScriptedPrompter::report() const {
  QStringList lines = failures_;
  for (const Expected& e : pending_) lines << QStringLiteral("never shown: \"%1\"").arg(e.text);
  return lines.join('\n').toUtf8();
}

void ScriptedPrompter::reset() {
  pending_.clear();
  failures_.clear();
  seen_.clear();
}
