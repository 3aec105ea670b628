#pragma once

#include <QString>

// The permission bits of what is at the path, the entry itself (a link is
// not followed); -1 when nothing is there.
int modeOf(const QString& path);
