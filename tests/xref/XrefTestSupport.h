#pragma once
// A project on disk for the cross-reference tests: the PRJ*XREF samples of
// the simulated host copied as PC text files (CP932, CR LF) into a PC
// folder, a program folder with updatehtm.ini, and the tool run on them.

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "xref/XrefTool.h"

namespace morvanta::xref::test {

class SampleProject {
 public:
  SampleProject();
  SampleProject(const SampleProject&) = delete;
  SampleProject& operator=(const SampleProject&) = delete;

  std::u16string root() const { return root_.u16string(); }
  std::u16string pcFolder() const { return (root_ / "pc").u16string(); }
  std::u16string programFolder() const { return (root_ / "prog").u16string(); }
  std::u16string outf() const { return (root_ / "htm").u16string(); }
  // The PC copy of a sample element ("ORDERS.txt", "RPTFMT.R2.txt").
  std::u16string pcFile(const std::u16string& name) const;
  // Every sample's PC copy, in name order.
  std::vector<std::u16string> pcFiles() const;

  // The tool as the bulk job runs it, on some of the PC copies.
  XrefResult run(const std::vector<std::u16string>& names) const;
  XrefResult runAll() const { return run(pcFiles()); }

  // A page's text (UTF-8), "" when missing.
  std::string page(const std::u16string& relative) const;
  // Rewrites a PC copy with these lines (CP932, CR LF).
  void writePcCopy(const std::u16string& name, const std::vector<std::u16string>& lines) const;

 private:
  testing::TempFolder folder_;
  std::filesystem::path root_;
};

using testing::readBytes;
using testing::u16;
using testing::u8;

}  // namespace morvanta::xref::test
