#pragma once

#include "toolkit/prompter.h"

class QtPrompter : public Prompter {
 public:
  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
  QString input(const QString& prompt, const QString& title, Echo echo) override;
};
