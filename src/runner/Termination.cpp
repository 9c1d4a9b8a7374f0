#include "runner/Termination.h"

#include <csignal>

namespace morvanta::runner {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void onTermination(int) {
  requested = 1;
}

}  // namespace

void watchForTermination() {
  std::signal(SIGTERM, onTermination);
  std::signal(SIGINT, onTermination);
}

bool terminationRequested() {
  return requested != 0;
}

}  // namespace morvanta::runner
