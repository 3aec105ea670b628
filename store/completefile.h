#pragma once

#include <QString>
#include <functional>

// Makes a file that appears under its name only when it is complete: `write`
// builds it as "<path>.partial" in the same folder (what a killed run left
// there is removed first), and it is renamed into place once `write` returns.
// A failure removes the partial file and throws; an existing file at `path`
// is never replaced.
void writeCompleteFile(const QString& path, const std::function<void(const QString& partialPath)>& write);

// Removes the partial files, and their journals, that runs killed a while ago
// left in the folder. Recent ones are left alone: another program may still be
// writing them.
void removeStalePartialFiles(const QString& folder);
