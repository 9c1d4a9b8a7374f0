#pragma once
// Plays the send check's jobs for command tests: when the form starts
// CHECK.BAT, SEND.BAT, SENT.BAT or RESTORE.BAT, leaves what the job would
// have left against a host that holds one element text (or none), and the
// status file with the outcome the test chose.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingDesktop.h"

namespace morvanta::testing {

struct FakeHost {
  // The element's text on the host; nothing: the element is not there.
  std::optional<std::string> text = std::string("@ASG,T X.\r\noriginal\r\n");
  std::u16string listedTime = u"Dec  7 10:30";  // month, day, time as listed
  bool checkReaches = true;                     // the check job reaches the host
  bool sendSucceeds = true;
  std::vector<std::u16string> played;      // batch names, in order
  std::vector<std::string> restoredTexts;  // what RESTORE sent
  std::string sentText;                    // what SEND sent last
  std::u16string lastRemote;               // the element the last check asked for

  void attach(forms::RecordingDesktop& desktop);
  void play(const std::u16string& batchPath);
};

// The status file of a job that ended with `exitCode`.
void writeStatus(const std::u16string& batchPath, int exitCode, const std::string& reason = "");

}  // namespace morvanta::testing
