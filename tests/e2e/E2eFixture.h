#pragma once
// The window's commands against the simulated 2200 host with the real job
// runner: a MainForm on in-memory controls whose desktop really starts the
// batch files (morvanta-run, found beside this test program), a host on a
// free loopback port seeded with the sample program files, and small
// recording stand-ins for the editor, the code converter and the tool of
// COBPLUSEDIT-PATH.
//
// Jobs run in processes of their own; the tests wait for what they leave
// (files, the runner's log) with a bounded poll, never for a fixed time.

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/HostSim.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta::testing {

// What Morvanta.ini configures beyond the host, the login and the editor.
struct E2eSetup {
  bool converter = false;  // UNISYS-SJIS-PATH / UNISYS-SJIS-EXE: the marking converter
  bool tool = false;       // COBPLUSEDIT-PATH: the recording tool
  bool send = false;       // FTP-SEND=YES
  bool keyring = false;    // FTP-PASSWORD-KEYRING=YES in place of FTP-PASSWORD
  std::vector<std::u16string> bulkRows = {};  // lines of updatehtm.ini
};

// How a job ended, from its log beside the batch file.
struct JobEnd {
  bool finished = false;  // the runner ended, one way or the other
  bool ok = false;        // ... and every line succeeded
  std::string log;
};

class E2eFixture : public FormFixture {
 protected:
  static constexpr auto kWaitLimit = std::chrono::seconds(30);
  static constexpr char16_t kHostName[] = u"SIM";
  // The line the marking converter appends to what it converts.
  static constexpr char kConvertedMark[] = "      * CONVERTED\r\n";

  E2eFixture();
  // Against a host of other manners (a slow or trickling one); the login is
  // the fixture's own.
  explicit E2eFixture(test::HostSimOptions hostOptions);

  // Writes Morvanta.ini (and updatehtm.ini) for the host and loads the form.
  void loadAgainstHost(const E2eSetup& setup = {});

  // --- Waiting -------------------------------------------------------------
  // Polls `done` until it holds or the limit passes; false on timeout.
  static bool waitUntil(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = kWaitLimit);
  static bool waitForFile(const std::u16string& path, std::chrono::milliseconds limit = kWaitLimit);

  // --- Jobs ----------------------------------------------------------------
  // The runner's log of a batch file of the work folder, e.g. "TOC.BAT".
  std::u16string jobLog(const std::u16string& batchName) const;
  // Removes the log, so the next wait sees only the next run.
  void forgetJobLog(const std::u16string& batchName) const;
  // Waits for the runner to end the batch file (fails the test on timeout).
  JobEnd waitForJob(const std::u16string& batchName) const;

  // Fetches the TOC of `file` into pane i with host SIM, as a user would:
  // the listing mode, the file, the button, then the pane's timer ticked
  // until the poll is over. Returns how the job ended.
  JobEnd fetchToc(int i, const std::u16string& file, bool withDates = true);
  // Ticks Timer1(i) until the poll ends (at most the poll's own limit).
  void tickUntilIdle(int i);

  // --- What the stand-in programs recorded --------------------------------
  // One entry per run: the arguments, each in brackets, e.g. "[a][b c]".
  std::vector<std::string> editorRuns() const;
  std::vector<std::string> converterRuns() const;
  std::vector<std::string> toolRuns() const;
  std::u16string toolsFolder() const;
  std::u16string editorProgram() const;
  std::u16string toolProgram() const;

  // --- Places --------------------------------------------------------------
  // FTPRCV's folder for a qual*file, e.g. FTPRCV/PRJ＊SRC.
  std::u16string receiveFolder(const std::u16string& qualFile);
  // Names of the ordinary files of a folder ([] when it does not exist),
  // without the receive record .morvanta-baseline.
  static std::vector<std::u16string> filesIn(const std::u16string& folder);

  // The host's element text as the PC keeps it: lines end with CR LF.
  std::string hostTextForPc(const std::string& qualFile, const std::string& ftpName) const;

  static std::vector<std::u16string> rows(const forms::ListBox& list);
  static std::string u8(const std::u16string& text) { return platform::toUtf8(text); }
  static std::u16string u16(const std::string& text) { return platform::fromUtf8(text); }

  // The local date and time of a moment, as file times are set.
  static platform::DateTime localTime(std::time_t when);

  test::HostSim host;
};

// CR LF for every LF that lacks it.
std::string withCrLf(const std::string& text);

}  // namespace morvanta::testing
