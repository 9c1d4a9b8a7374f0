// The bulk receive's choice of elements: phased TOC lines against a PC
// folder of as many files, in memory at 10,000, 100,000 and 1,000,000
// elements (the time per element should stay flat), and against a real
// folder of 10,000 files (listing and modified times included).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "text/TxtHdl.h"
#include "transfer/BulkSelection.h"

namespace {

using morvanta::TxtHdl;
using morvanta::platform::fromUtf8;
using morvanta::platform::joinPath;
namespace transfer = morvanta::transfer;

constexpr int kFolderCount = 10000;

std::u16string elementName(int n) {
  return u"ELT" + fromUtf8(std::to_string(n)) + u".R1";
}

// Every element is listed at 13:05; the folder holds a copy of three out of
// four of them, newer or older by turns, and files of no element.
std::vector<std::u16string> phasedLines(int count) {
  std::vector<std::u16string> lines;
  for (int n = 0; n < count; ++n) {
    lines.push_back(elementName(n) + u" ELT/R1 2026/01/05  13:05  ");
  }
  return lines;
}

std::vector<std::u16string> folderFiles(int count) {
  std::vector<std::u16string> files;
  for (int n = 0; n < count; ++n) {
    files.push_back(n % 4 == 3 ? u"NOTE" + fromUtf8(std::to_string(n)) + u".txt"
                               : elementName(n) + u".txt");
  }
  return files;
}

std::u16string copyTime(std::size_t position) {
  return position % 2 == 0 ? u"2026/01/05 13:06:00" : u"2026/01/05 13:05:30";
}

void BM_SelectInMemory(benchmark::State& state) {
  const TxtHdl txtHdl;
  const int count = static_cast<int>(state.range(0));
  const auto lines = phasedLines(count);
  const auto files = folderFiles(count);
  for (auto _ : state) {
    const transfer::PcFolderIndex index(txtHdl, files);
    auto selection = transfer::selectBulkElements(txtHdl, lines, index, copyTime);
    benchmark::DoNotOptimize(selection.names.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SelectInMemory)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The folder is made once and removed when the program ends.
class PcFolder {
 public:
  PcFolder() {
    path_ = (std::filesystem::temp_directory_path() / "morvanta-bulk-bench").u16string();
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    const auto files = folderFiles(kFolderCount);
    for (std::size_t f = 0; f < files.size(); ++f) {
      const std::u16string file = joinPath(path_, files[f]);
      morvanta::platform::writeTextLines(file, {u"@ASG,A X."});
      morvanta::platform::setModifiedTime(file, {2026, 1, 5, 13, f % 2 == 0 ? 6 : 5, 30});
    }
  }
  ~PcFolder() { std::filesystem::remove_all(path_); }
  const std::u16string& path() const { return path_; }

 private:
  std::u16string path_;
};

void BM_SelectFromFolder(benchmark::State& state) {
  static const PcFolder folder;
  const TxtHdl txtHdl;
  const auto lines = phasedLines(kFolderCount);
  for (auto _ : state) {
    const transfer::PcFolderIndex index(txtHdl, morvanta::platform::listFiles(folder.path()));
    auto selection = transfer::selectBulkElements(txtHdl, lines, index, [&](std::size_t f) {
      return morvanta::platform::modifiedTime(joinPath(folder.path(), index.fileNames()[f]));
    });
    benchmark::DoNotOptimize(selection.names.data());
  }
}
BENCHMARK(BM_SelectFromFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
