#include "store/engine/idlesessions.h"

#include <unistd.h>

#include <mutex>
#include <vector>

namespace {

constexpr size_t kMostKept = 4;

struct IdleSession {
  QString address;
  pid_t owner;
  std::unique_ptr<EngineSession> session;
};

// A child of a fork must not end its parent's sessions: ending one tells the server.
void forget(IdleSession& idle) {
  if (idle.owner != getpid()) (void)idle.session.release();
}

struct IdleSessions {
  std::mutex lock;  // lists count their rows on threads of their own
  std::vector<IdleSession> sessions;
  ~IdleSessions() {
    for (IdleSession& idle : sessions) forget(idle);
  }
};

IdleSessions& idle() {
  static IdleSessions kept;
  return kept;
}

}  // namespace

std::unique_ptr<EngineSession> takeIdleSession(const QString& address) {
  const std::lock_guard<std::mutex> held(idle().lock);
  auto& sessions = idle().sessions;
  for (auto it = sessions.begin(); it != sessions.end(); ++it)
    if (it->owner == getpid() && it->address == address) {
      std::unique_ptr<EngineSession> session = std::move(it->session);
      sessions.erase(it);
      return session;
    }
  return nullptr;
}

void keepIdleSession(const QString& address, std::unique_ptr<EngineSession> session) {
  if (!session->canBeReused()) return;
  const std::lock_guard<std::mutex> held(idle().lock);
  auto& sessions = idle().sessions;
  if (sessions.size() >= kMostKept) {  // the longest unused gives way
    forget(sessions.front());
    sessions.erase(sessions.begin());
  }
  sessions.push_back({address, getpid(), std::move(session)});
}
