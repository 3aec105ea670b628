#include "toolkit/prompter.h"

#include "toolkit/qtprompter.h"

#include <utility>

namespace {
Prompter* installed = nullptr;
}

Prompter& prompter() {
  static QtPrompter qtPrompter;
  return installed ? *installed : qtPrompter;
}

Prompter* installPrompter(Prompter* p) { return std::exchange(installed, p); }

void tell(const QString& text, const QString& title, Prompter::Icon icon) {
  prompter().message(text, title, Prompter::Buttons::Ok, icon);
}

bool askYesNo(const QString& text, const QString& title) {
  return prompter().message(text, title, Prompter::Buttons::YesNo, Prompter::Icon::None) == Prompter::Answer::Yes;
}
