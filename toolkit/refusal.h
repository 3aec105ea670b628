#pragma once

#include <QString>

#include "toolkit/prompter.h"

// A check that stops what the user asked for, with the message that says why.
// Thrown from a handler, it unwinds (rolling back any open transaction) and is
// shown by the error sink; the form stays as it was.
struct Refusal {
  QString text;
  QString title;
  Prompter::Icon icon = Prompter::Icon::None;
};
