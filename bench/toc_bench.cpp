// How fast a large "mdir" listing becomes a pane's element list, date list
// and phased TOC file (reading the listing and writing the phased file
// included). Reported as lines per second (items_per_second).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "catalogue/TocRequest.h"
#include "forms/ControlFactory.h"
#include "forms/RecordingDesktop.h"
#include "platform/Platform.h"

namespace {

using namespace morvanta;
namespace fs = std::filesystem;

constexpr int kLines = 100000;

// Lines shaped like the host's LIST output: times for recent elements,
// years for old ones, every element type.
std::vector<std::u16string> listing() {
  static const char16_t* const kMonths[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                            u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  static const char16_t* const kTypes[] = {u"_SYM", u"_SYM", u"_SYM", u"_ABS", u"_REL", u"_OMN"};
  std::mt19937 random(2200);
  std::vector<std::u16string> lines;
  lines.reserve(kLines);
  for (int n = 0; n < kLines; ++n) {
    const auto number = platform::fromUtf8(std::to_string(n));
    const auto day = platform::fromUtf8(std::to_string(1 + random() % 28));
    std::u16string when;
    if (n % 4 == 0) {
      when = platform::fromUtf8(std::to_string(1990 + random() % 30));
    } else {
      when = platform::fromUtf8(std::to_string(random() % 24) + ":" +
                                std::to_string(10 + random() % 50));
    }
    lines.push_back(u"-rw-rw-r--   1 PRJ        " +
                    platform::fromUtf8(std::to_string(random() % 99999)) + u" " +
                    kMonths[random() % 12] + u" " + day + u" " + when + u" ELT" + number + u".V" +
                    platform::fromUtf8(std::to_string(n % 7)) + kTypes[n % 6]);
  }
  return lines;
}

void BM_ParseMdirListing(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("morvanta-toc-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(root / "FTPWK");

  forms::MemoryControlFactory factory;
  forms::RecordingDesktop desktop;
  MainForm form(factory, desktop, root.u16string());
  form.pub.workRoot = root.u16string();
  form.mdirMode = 1;
  platform::writeTextLines(platform::joinPath(form.FOLDER_NAME(u"WK", u""), u"0TOC-RSLT.TXT"),
                           listing());

  for (auto _ : state) {
    benchmark::DoNotOptimize(catalogue::load_toc_result(form, 0, u""));
  }
  if (form.List_elt[0]->count() != kLines || !desktop.messages.empty()) {
    state.SkipWithError("listing not parsed completely");
  }
  state.SetItemsProcessed(state.iterations() * kLines);
  state.counters["lines"] = kLines;

  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_ParseMdirListing)->Unit(benchmark::kMillisecond);

// The line parser alone, without the files and the lists.
void BM_ListingLines(benchmark::State& state) {
  const std::vector<std::u16string> lines = listing();
  const Class2200 cls2200;
  const catalogue::ListingLineParser parser(cls2200, 1, platform::DateTime{2026, 12, 7, 10, 0, 0});
  catalogue::ListingRow row;
  for (auto _ : state) {
    for (const auto& line : lines) benchmark::DoNotOptimize(parser.parse(line, u"", row));
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ListingLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
