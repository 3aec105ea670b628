// Linked into every test: a message box that no script expects fails the
// running test at once instead of waiting for a click that never comes.
#include <QTest>

#include "toolkit/prompter.h"

namespace {

class FailingPrompter : public Prompter {
 public:
  FailingPrompter() { installPrompter(this); }

  Answer message(const QString& text, const QString& title, Buttons buttons, Icon) override {
    QTest::qFail(qPrintable(QStringLiteral("unexpected message box [%1] %2").arg(title, text)), __FILE__, __LINE__);
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  QString input(const QString& prompt, const QString& title, Echo) override {
    QTest::qFail(qPrintable(QStringLiteral("unexpected input box [%1] %2").arg(title, prompt)), __FILE__, __LINE__);
    return {};
  }
};

FailingPrompter installedForEveryTest;

}  // namespace
