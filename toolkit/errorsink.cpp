#include "toolkit/errorsink.h"

#include <exception>

#include "store/basics/dberror.h"
#include "toolkit/prompter.h"
#include "toolkit/refusal.h"

void runGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Refusal& refusal) {
    tell(refusal.text, refusal.title, refusal.icon);
  } catch (const DbError& error) {
    tell(error.message(), QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
  } catch (const std::exception& error) {
    tell(QStringLiteral("Something went wrong: %1").arg(QString::fromStdString(error.what())),
         QStringLiteral("ALERT!!!"), Prompter::Icon::Error);
  }
}
