#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "store/basics/dberror.h"

// A process of its own that never returns into the test, as another computer
// would be: `work` runs in a fork and its result is the exit status. Killed
// and reaped if the test ends before it does.
class Child {
 public:
  template <typename Work>
  explicit Child(Work work) : pid_(fork()) {
    if (pid_ != 0) return;
    int status = 100;
    try {
      status = work();
    } catch (const DbError& error) {
      fprintf(stderr, "child: %s\n", qPrintable(error.message()));
    }
    _exit(status);
  }
  ~Child() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    exitStatus();
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool running() const { return waitpid(pid_, nullptr, WNOHANG) == 0; }
  int exitStatus() {  // -1 when killed
    int status = 0;
    if (pid_ > 0) waitpid(pid_, &status, 0);
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_;
};
