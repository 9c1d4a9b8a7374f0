// 100,000 listed elements from the listing file to a painted pane on the
// real window (offscreen platform): reading and parsing the listing, filling
// the element and date lists, writing the phased TOC file and painting the
// window once. Also reports what the window holds per element
// (bytes_per_element, from the resident size before and after the first fill).

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>
#include <QApplication>
#include <QPixmap>
#include <QtGlobal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "catalogue/TocRequest.h"
#include "gui/MainWindow.h"
#include "platform/Platform.h"
#include "support/RecordingDesktop.h"

namespace {

using namespace morvanta;
namespace fs = std::filesystem;

constexpr int kLines = 100000;

// Lines shaped like the host's LIST output, as in toc_bench.
std::string listing() {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* const kTypes[] = {"_SYM", "_SYM", "_SYM", "_ABS", "_REL", "_OMN"};
  std::mt19937 random(2200);
  std::string text;
  for (int n = 0; n < kLines; ++n) {
    std::string when =
        n % 4 == 0 ? std::to_string(1990 + random() % 30)
                   : std::to_string(random() % 24) + ":" + std::to_string(10 + random() % 50);
    text += "-rw-rw-r--   1 PRJ        " + std::to_string(random() % 99999) + " " +
            kMonths[random() % 12] + " " + std::to_string(1 + random() % 28) + " " + when + " ELT" +
            std::to_string(n) + ".V" + std::to_string(n % 7) + kTypes[n % 6] + "\r\n";
  }
  return text;
}

long residentBytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream statm("/proc/self/statm");
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

void BM_PaneFill100k(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("morvanta-pane-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(root);
  forms::RecordingDesktop desktop;
  {
    gui::MainWindow window(root.u16string(), &desktop);
    window.show();
    QApplication::processEvents();
    MainForm& form = window.form();
    // The first start in a fresh folder tells of the template it wrote.
    desktop.messages.clear();
    form.mdirMode = 1;
    // The date list shown beside the element list, as a user who wants dates sees it.
    form.Check_date[0]->setChecked(true);
    form.Check_date_Click(0);
    std::ofstream(fs::path(form.FOLDER_NAME(u"WK", u"")) / "0TOC-RSLT.TXT", std::ios::binary)
        << listing();
    // The listing's text is freed; handed back, it cannot hide the lists'
    // growth in memory the process holds already.
    malloc_trim(0);

    const long before = residentBytes();
    long after = before;
    bool first = true;
    for (auto _ : state) {
      benchmark::DoNotOptimize(catalogue::load_toc_result(form, 0, u""));
      QApplication::processEvents();
      QPixmap painted = window.grab();
      benchmark::DoNotOptimize(painted);
      if (first) {
        after = residentBytes();
        first = false;
      }
    }
    if (form.List_elt[0]->count() != kLines || form.List_date[0]->count() != kLines ||
        !desktop.messages.empty()) {
      state.SkipWithError("listing not shown completely");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["bytes_per_element"] = static_cast<double>(after - before) / kLines;
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_PaneFill100k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
