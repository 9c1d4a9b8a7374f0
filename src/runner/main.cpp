// morvanta-run BATCH: runs a batch file written by Morvanta (see JobRunner.h).

#include <iostream>

#include "platform/Platform.h"
#include "runner/JobRunner.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: morvanta-run BATCH-FILE\n";
    return 2;
  }
  morvanta::runner::JobRunner runner(std::cout);
  return runner.runBatchFile(morvanta::platform::fromUtf8(argv[1]));
}
