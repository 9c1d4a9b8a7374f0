// From a TOC job's end to the filled pane: the listing of 10 elements and
// the end record are in place, and the window's next job tick (every
// 100 ms) reads the status, ends the job and loads the pane. The wait for
// that tick comes on top of the time measured here.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "forms/ControlFactory.h"
#include "jobfiles/JobFiles.h"
#include "jobs/JobStatus.h"
#include "platform/Platform.h"
#include "support/RecordingDesktop.h"

namespace {

using namespace morvanta;
namespace fs = std::filesystem;

constexpr int kElements = 10;

// The host's LIST lines for the elements, recent ones with a time of day.
std::vector<std::u16string> listing() {
  std::vector<std::u16string> lines;
  for (int n = 0; n < kElements; ++n) {
    lines.push_back(u"-rw-rw-r--   1 PRJ           420 Dec  1 10:0" +
                    platform::fromUtf8(std::to_string(n) + " ELT" + std::to_string(n)) +
                    u".R1_SYM");
  }
  return lines;
}

void BM_TocJobEndToFilledPane(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("morvanta-pane-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(root / "FTPWK");

  forms::MemoryControlFactory factory;
  forms::RecordingDesktop desktop;
  desktop.holdBatches = true;  // the job runs until the bench has left its files
  MainForm form(factory, desktop, root.u16string());
  form.pub.workRoot = root.u16string();
  form.pub.hostCount = 1;
  form.pub.hostNames[0] = u"SIM";
  form.pub.hostAddresses[0] = u"127.0.0.1 2121";
  form.pub.ftpUserId = u"user";
  form.pub.ftpPassword = u"password";
  form.mdirMode = 1;
  form.Combo_host[0]->setText(u"SIM");
  const std::u16string work = form.FOLDER_NAME(u"WK", u"");
  const std::u16string result = platform::joinPath(work, jobfiles::tocResultName(0));
  const std::u16string status = jobs::statusPathFor(platform::joinPath(work, u"TOC.BAT"));
  const std::vector<std::u16string> lines = listing();

  bool filled = true;
  for (auto _ : state) {
    state.PauseTiming();
    form.Text_2200file[0]->setText(u"PRJ*SRC");
    form.Command_toc_Click(0);
    // What the runner leaves: the listing, then its end record.
    platform::writeTextLines(result, lines);
    {
      jobs::StatusWriter writer(status);
      writer.start(4242);
      writer.end(0, u"");
    }
    desktop.endHeldBatches();
    state.ResumeTiming();

    form.Jobs_Tick();

    state.PauseTiming();
    filled = filled && form.List_elt[0]->count() == kElements && !form.Timer1[0]->enabled();
    state.ResumeTiming();
  }
  if (!filled || !desktop.messages.empty()) state.SkipWithError("the pane was not filled");
  state.counters["elements"] = kElements;

  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_TocJobEndToFilledPane)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
