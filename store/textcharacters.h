#pragma once

#include <QString>

// Characters as the store's CHECKs count them on both engines: one per Unicode
// code point, so an emoji counts once, not as its two UTF-16 halves.
qsizetype characterCount(QStringView text);

// What makes a one-line text unfit to store, named for a message ("a tab",
// "a line break", "a character that turns the writing direction (U+202E)",
// "half of a broken character (U+D83D)"), or empty text when nothing does.
// Control and formatting characters are invisible or move what is shown: with
// a right-to-left override (U+202E) before "321-", the number "INV" + that
// reads "INV-123" on screen. Half of a broken character would reach the file
// as "?".
QString unsoundCharacter(QStringView text);
