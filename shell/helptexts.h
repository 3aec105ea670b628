#pragma once

#include <QString>
#include <vector>

// One tab of the help form: its caption and its text. Texts may name the
// database (%1), its backup folder (%2) and its reports folder (%3).
struct HelpPage {
  const char* caption;
  const char* text;
};

// The nine text tabs, START to BACK UP, in their order; ABOUT.... follows them.
const std::vector<HelpPage>& helpPages();

// The page's text with this computer's folders filled in.
QString helpText(const HelpPage& page, const QString& databasePath);

extern const char kAboutText[];
extern const char kMakerText[];
extern const char kContactText[];
