// morvanta-xref on a project of 1,000 elements: the pages and the index made
// from nothing in one run, and one changed element handed over as the bulk
// job does (its page, the database and the index rewritten).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "xref/XrefTool.h"

namespace {

namespace fs = std::filesystem;
using morvanta::platform::fromUtf8;
namespace xref = morvanta::xref;

constexpr int kElements = 1000;

std::u16string number(int n) {
  return fromUtf8(std::to_string(n));
}

// A quarter each of runstreams, COBOL programs, PLUS libraries and MASM
// routines that use one another, about 40 lines apiece.
std::vector<std::u16string> elementLines(int n) {
  const std::u16string id = number(n);
  std::vector<std::u16string> lines;
  switch (n % 4) {
    case 0:
      lines = {u"@RUN R" + id + u",ACCT01,PRJ", u"@USE X,PRJ*BIG."};
      for (int k = 1; k < 4; ++k) {
        lines.push_back(u"@ACOB,SI X.C" + number((n + k) % kElements) + u",X.O" + id);
        lines.push_back(u"@ADD,PL X.E" + number((n + 4 * k) % kElements));
      }
      for (int k = 0; k < 30; ++k) lines.push_back(u"@. STEP " + number(k));
      lines.push_back(u"@FIN");
      break;
    case 1:
      lines = {u"       IDENTIFICATION DIVISION.", u"       PROGRAM-ID. P" + id + u".",
               u"      * 受注 < 100 & > 0", u"       PROCEDURE DIVISION."};
      for (int k = 0; k < 10; ++k) {
        lines.push_back(u"       PARA-" + number(k) + u".");
        lines.push_back(u"           PERFORM PARA-" + number((k + 1) % 10) + u".");
        lines.push_back(u"           CALL 'LIB" + number((n + 1) % kElements) + u"$ENTRY'.");
      }
      break;
    case 2:
      lines = {u"\" LIBRARY " + id};
      lines.push_back(u"PROCEDURE ENTRY" + id + u" EXPORTED 'LIB" + id + u"$ENTRY';");
      for (int k = 0; k < 10; ++k) {
        lines.push_back(u"PROCEDURE HELP" + number(k) + u";");
        lines.push_back(u"  HELP" + number((k + 1) % 10) + u" (1);");
        lines.push_back(u"END;");
      }
      break;
    default:
      lines = {u". ROUTINE " + id, u"          $ASCII", u"$(1)", u"M" + id + u"*     LA  A0,W"};
      for (int k = 0; k < 12; ++k) {
        lines.push_back(u"L" + number(k) + u"        LMJ       X11,L" + number((k + 1) % 12));
        lines.push_back(u"          J         L" + number((k + 2) % 12));
      }
      lines.push_back(u"          END       M" + id);
  }
  return lines;
}

class Project {
 public:
  Project()
      : root_(fs::temp_directory_path() /
              ("xref-bench-" + std::to_string(morvanta::platform::currentProcessId()))) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "pc");
    for (int n = 0; n < kElements; ++n) {
      const std::u16string prefix = n % 4 == 1 ? u"C" : u"E";
      files_.push_back((root_ / "pc" / fs::path(prefix + number(n) + u".txt")).u16string());
      morvanta::platform::writeTextLines(files_.back(), elementLines(n));
    }
  }
  ~Project() { fs::remove_all(root_); }

  void clearPages() const { fs::remove_all(root_ / "htm"); }

  xref::XrefResult buildAll() const {
    xref::XrefRequest request;
    request.func = u"AUTO";
    request.project = u"BIG";
    request.file = u"PRJ*BIG";
    request.outf = (root_ / "htm").u16string();
    request.inputs = files_;
    return xref::runXref(request, root_.u16string());
  }

  xref::XrefResult updateOne() const {
    xref::XrefRequest request;
    request.func = u"AUTO";
    request.project = u"BIG";
    request.file = u"PRJ*BIG";
    request.outf = (root_ / "htm").u16string();
    request.inputs = {files_[kElements / 2 + 1]};
    return xref::runXref(request, root_.u16string());
  }

 private:
  fs::path root_;
  std::vector<std::u16string> files_;
};

void BM_IndexFor1000Elements(benchmark::State& state) {
  const Project project;
  for (auto _ : state) {
    state.PauseTiming();
    project.clearPages();
    state.ResumeTiming();
    benchmark::DoNotOptimize(project.buildAll());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_IndexFor1000Elements)->Unit(benchmark::kMillisecond);

void BM_UpdateOneChangedElement(benchmark::State& state) {
  const Project project;
  project.buildAll();
  for (auto _ : state) benchmark::DoNotOptimize(project.updateOne());
}
BENCHMARK(BM_UpdateOneChangedElement)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
