#pragma once

#include "toolkit/prompter.h"

// Answers every question as a hurried clerk would: YES, or OK.
class SilentPrompter : public Prompter {
 public:
  Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
  }
  QString input(const QString&, const QString&, Echo) override { return {}; }
};
