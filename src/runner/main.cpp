// morvanta-run BATCH: runs a batch file written by Morvanta (see JobRunner.h).

#include <iostream>

#include "jobs/JobStatus.h"
#include "platform/Platform.h"
#include "runner/JobRunner.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: morvanta-run BATCH-FILE\n";
    return 2;
  }
  const std::u16string batch = morvanta::platform::fromUtf8(argv[1]);
  morvanta::jobs::StatusWriter status(morvanta::jobs::statusPathFor(batch));
  status.start(morvanta::platform::currentProcessId());
  morvanta::runner::JobRunner runner(std::cout);
  return runner.runBatchFile(batch, &status);
}
