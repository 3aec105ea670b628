#pragma once

#include <QString>
#include <functional>

#include "store/basics/owneronlyfile.h"

// Makes a file that appears under its name only when it is complete: `write`
// builds it as "<path>.vantora-partial" in the same folder, and it is
// published under `path` once `write` returns. Publishing is one rename that
// never replaces anything at `path`, not even a symbolic link (so no link
// planted there can make it write elsewhere), and never a copy. A failure
// removes the partial file and throws a DbError.
//
// A missing folder is made for its owner only. What runs that were killed
// left in the folder (partial files and their journals) is removed first,
// unless another run of the program is writing into the folder right now.
void writeCompleteFile(const QString& path, const std::function<void(const QString& partialPath)>& write);
