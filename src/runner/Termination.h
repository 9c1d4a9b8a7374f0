#pragma once
// A job is cancelled by ending its runner with SIGTERM (or Ctrl+C). The
// signal only raises a flag; the runner notices it within a fraction of a
// second, stops the transfer, removes what it had half received, erases
// its scripts and writes the "end" record. The flag is process-wide by
// nature: there is one runner per process.

namespace morvanta::runner {

// Installs the handlers for SIGTERM and SIGINT.
void watchForTermination();
// Puts the default handlers back; a signal that arrived stays recorded.
void stopWatchingForTermination();
// True once one of them arrived.
bool terminationRequested();
// Ends the process as the signal that arrived would have (the status a
// shell reports for an interrupted program). Returns when none arrived.
void endAsTerminated();

}  // namespace morvanta::runner
