#pragma once

#include <functional>

class Connection;

// Runs `read` on one consistent state of the whole database while other
// programs go on saving, for the readers that judge or copy all of it.
// On a server: one read-only REPEATABLE READ transaction of this connection,
// which never holds a writer up. On the file: a private copy of its bytes,
// taken under the file's read lock and removed afterwards, so a SAVE waits
// only while the bytes are copied (about a second per gigabyte), never while
// the reading runs. Inside this connection's own write, `read` reads there.
void readConsistentSnapshot(Connection& live, const std::function<void(Connection& snapshot)>& read);
