#include "runner/Termination.h"

#include <csignal>
#include <cstdio>

namespace morvanta::runner {

namespace {

volatile std::sig_atomic_t requested = 0;  // the signal's number

extern "C" void onTermination(int signal) {
  requested = signal;
}

}  // namespace

void watchForTermination() {
  std::signal(SIGTERM, onTermination);
  std::signal(SIGINT, onTermination);
}

void stopWatchingForTermination() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
}

bool terminationRequested() {
  return requested != 0;
}

void endAsTerminated() {
  const int signal = requested;
  if (signal == 0) return;
  std::fflush(nullptr);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace morvanta::runner
