// How fast a large "mdir" listing becomes a pane's element list, date list
// and phased TOC file (reading the listing and writing the phased file
// included), at 100,000 and 1,000,000 lines; and the line parser alone.
// Reported as lines per second (items_per_second) of wall time, which is
// what the user waits for: a large listing is read by two threads. The CPU
// column is the whole process's, both threads together.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "catalogue/TocRequest.h"
#include "forms/ControlFactory.h"
#include "platform/Platform.h"
#include "support/RecordingDesktop.h"

namespace {

using namespace morvanta;
namespace fs = std::filesystem;

constexpr int kLines = 100000;

// Lines shaped like the host's LIST output: times for recent elements,
// years for old ones, every element type; CR LF as the FTP client writes.
std::string listing(int lines) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* const kTypes[] = {"_SYM", "_SYM", "_SYM", "_ABS", "_REL", "_OMN"};
  std::mt19937 random(2200);
  std::string text;
  text.reserve(static_cast<std::size_t>(lines) * 64);
  for (int n = 0; n < lines; ++n) {
    const std::string day = std::to_string(1 + random() % 28);
    std::string when;
    if (n % 4 == 0) {
      when = std::to_string(1990 + random() % 30);
    } else {
      when = std::to_string(random() % 24) + ":" + std::to_string(10 + random() % 50);
    }
    text += "-rw-rw-r--   1 PRJ        " + std::to_string(random() % 99999) + " " +
            kMonths[random() % 12] + " " + day + " " + when + " ELT" + std::to_string(n) + ".V" +
            std::to_string(n % 7) + kTypes[n % 6] + "\r\n";
  }
  return text;
}

void BM_ParseMdirListing(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const fs::path root =
      fs::temp_directory_path() / ("morvanta-toc-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(root / "FTPWK");

  forms::MemoryControlFactory factory;
  forms::RecordingDesktop desktop;
  {
    MainForm form(factory, desktop, root.u16string());
    form.pub.workRoot = root.u16string();
    form.mdirMode = 1;
    std::ofstream(fs::path(form.FOLDER_NAME(u"WK", u"")) / "0TOC-RSLT.TXT", std::ios::binary)
        << listing(lines);

    for (auto _ : state) {
      benchmark::DoNotOptimize(catalogue::load_toc_result(form, 0, u""));
    }
    if (form.List_elt[0]->count() != lines || form.List_date[0]->count() != lines ||
        !desktop.messages.empty()) {
      state.SkipWithError("listing not parsed completely");
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);

  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_ParseMdirListing)
    ->Arg(kLines)
    ->Arg(10 * kLines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The line parser alone, on the listing's bytes in memory, without the
// files and the lists.
void BM_ListingLines(benchmark::State& state) {
  const std::string bytes = listing(kLines);
  const Class2200 cls2200;
  const catalogue::ListingLineParser parser(cls2200, 1, platform::DateTime{2026, 12, 7, 10, 0, 0});
  catalogue::ListingResult result;
  for (auto _ : state) {
    result.names.clear();
    result.dates.clear();
    result.phased.clear();
    parser.parseListing(bytes, u"", result);
    benchmark::DoNotOptimize(result.phased.data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ListingLines)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
