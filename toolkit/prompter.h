#pragma once

#include <QString>

// Message and input boxes. Forms reach them only through prompter(), so tests
// can script every answer and catch any message they did not expect.
class Prompter {
 public:
  enum class Buttons { Ok, YesNo };
  enum class Icon { None, Error, Warning, Information };
  enum class Answer { Ok, Yes, No };
  enum class Echo { Shown, Masked };  // Masked: a password, shown as dots

  virtual ~Prompter() = default;
  // An empty title shows the application's title.
  virtual Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) = 0;
  // Empty text when cancelled.
  virtual QString input(const QString& prompt, const QString& title, Echo echo) = 0;
};

Prompter& prompter();
// Not owned; nullptr restores the Qt one. Returns the one it replaces.
Prompter* installPrompter(Prompter* prompter);

// The two common shapes.
void tell(const QString& text, const QString& title = {}, Prompter::Icon icon = Prompter::Icon::None);
bool askYesNo(const QString& text, const QString& title = {});

inline constexpr char kApplicationTitle[] = "VANTORA";
