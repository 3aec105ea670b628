#pragma once

#include <QString>
#include <memory>

#include "store/engine/engine.h"

// Opening a connection to a server starts a server process for it, some 20 ms,
// more than a whole form takes to open on the file. A connection that closes
// cleanly leaves its session here, and the next one to the same address takes
// it. Only this process's sessions are handed out: a forked child never shares
// its parent's socket.
std::unique_ptr<EngineSession> takeIdleSession(const QString& address);
// Keeps a session that can be used again (no transaction open, still
// connected); ends it otherwise, or when enough are kept already.
void keepIdleSession(const QString& address, std::unique_ptr<EngineSession> session);
