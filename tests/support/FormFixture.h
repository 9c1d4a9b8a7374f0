#pragma once
// A MainForm on in-memory controls and a recording desktop, in a fresh
// program folder of its own. Command tests set texts, select rows, call the
// handlers and look at files, controls and what the desktop recorded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "forms/ControlFactory.h"
#include "support/RecordingDesktop.h"
#include "support/TestFiles.h"

namespace morvanta::testing {

class FormFixture : public ::testing::Test {
 protected:
  FormFixture();
  ~FormFixture() override;

  // Writes "Morvanta.ini" in the program folder.
  void writeIni(const std::vector<std::u16string>& lines);
  // A configuration with one user, a password and two hosts, "HOSTA" at
  // 192.0.2.1 and "HOSTB" at 192.0.2.2; then runs Form_Load.
  void loadWithDefaultIni(const std::vector<std::u16string>& extraLines = {});
  // Form_Load; a program end surfaces as forms::ProgramEnded.
  void load();

  // Lines of a file (CP932, CR LF), or the test fails.
  std::vector<std::u16string> readLines(const std::u16string& path) const;
  // Raw bytes of a file, "" when it is missing.
  std::string readBytes(const std::u16string& path) const;
  // Path inside the work folder FTPWK.
  std::u16string workFile(const std::u16string& name) const;

  TempFolder folder;
  forms::RecordingDesktop desktop;
  forms::MemoryControlFactory factory;
  std::unique_ptr<MainForm> form;
};

}  // namespace morvanta::testing
