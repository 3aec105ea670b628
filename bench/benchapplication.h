#pragma once

#include <QApplication>
#include <cstdio>

#include "bench/silentprompter.h"

// What a benchmark program runs in: Qt, and a prompter that answers every
// question as a hurried clerk would.
struct BenchApplication {
  BenchApplication(int& argc, char** argv) : app(argc, argv) { installPrompter(&silent); }
  QApplication app;
  SilentPrompter silent;
};

// A measured time for the bench script, in nanoseconds; the exit status.
inline int printNanoseconds(qint64 nanoseconds) {
  std::printf("%lld\n", static_cast<long long>(nanoseconds));
  return 0;
}
