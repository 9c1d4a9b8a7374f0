#include <fstream>
#include <sstream>

#include "platform/Platform.h"
#include "u2200/Class2200.h"
#include "xref/XrefTestSupport.h"

namespace morvanta::xref::test {

namespace fs = std::filesystem;

namespace {
const fs::path kSamples = fs::path(MORVANTA_SOURCE_DIR) / "tests/hostsim/samples/PRJ/XREF";

}  // namespace

SampleProject::SampleProject() : root_(folder_.fsPath()) {
  fs::create_directories(root_ / "pc");
  fs::create_directories(root_ / "prog");
  const Class2200 cls;
  for (const auto& entry : fs::directory_iterator(kSamples)) {
    // ORDERS._SYM -> ORDERS.txt, RPTFMT.R2_SYM -> RPTFMT.R2.txt, as the bulk job names them.
    std::u16string type;
    const std::u16string name =
        cls.U2200ElementName_to_PcName(u"TXT.", entry.path().filename().u16string(), type);
    std::string bytes;
    for (const char c : readBytes(entry.path())) {
      if (c == '\n') bytes += '\r';
      bytes += c;
    }
    platform::writeBinaryFile(pcFile(name + u".txt"), bytes);
  }
  platform::writeTextLines(
      (root_ / "prog" / "updatehtm.ini").u16string(),
      {u"; cross-reference pages of the order programs",
       u"HTM-AUTO-MAKE,PRJ*XREF,RUNSTREAM,PJ01," + pcFolder() + u"," + outf()});
}

std::u16string SampleProject::pcFile(const std::u16string& name) const {
  return (root_ / "pc" / fs::path(name)).u16string();
}

std::vector<std::u16string> SampleProject::pcFiles() const {
  std::vector<std::u16string> names;
  for (const auto& name : platform::listFiles(pcFolder())) names.push_back(name);
  return names;
}

XrefResult SampleProject::run(const std::vector<std::u16string>& names) const {
  XrefResult all;
  for (const auto& name : names) {
    const XrefRequest request = parseBulkLine(u"FUNC:[RUNSTREAM] INF:[" + pcFile(name) +
                                              u"]\u3000 OUTF:[" + outf() + u"] PROJECT:[PJ01]");
    const XrefResult one = runXref(request, programFolder());
    all.outf = one.outf;
    all.pages.insert(all.pages.end(), one.pages.begin(), one.pages.end());
    all.dependents.insert(all.dependents.end(), one.dependents.begin(), one.dependents.end());
  }
  return all;
}

std::string SampleProject::page(const std::u16string& relative) const {
  return readBytes(root_ / "htm" / fs::path(relative));
}

void SampleProject::writePcCopy(const std::u16string& name,
                                const std::vector<std::u16string>& lines) const {
  platform::writeTextLines(pcFile(name), lines);
}

}  // namespace morvanta::xref::test
