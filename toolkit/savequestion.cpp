#include "toolkit/savequestion.h"

#include "toolkit/prompter.h"

SaveChoice askSaveChoice() {
  // The blanks push the second sentence onto a line of its own.
  const QString question = QStringLiteral(" YES--->>> (IF WANT TO SAVE INFORMATION)") + QString(83, QLatin1Char(' ')) +
                           QStringLiteral("NO--->>> (IF NEED TO FILL REMAINING ENTRY OR NOT WANT TO SAVE DATA) ");
  if (askYesNo(question, QStringLiteral("ALERT!"))) return SaveChoice::Save;
  if (askYesNo(QStringLiteral(
          "Click YES if want to fill remaining data...Click NO if want to close form without saving data")))
    return SaveChoice::KeepEditing;
  return SaveChoice::Discard;
}
