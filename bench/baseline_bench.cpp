// What the send check costs: hashing an element's text, recording a bulk
// receive of many elements in the receive folder's store, and finding an
// entry after a restart.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "transfer/Baseline.h"

namespace {

using morvanta::platform::fromUtf8;
using morvanta::platform::joinPath;
namespace transfer = morvanta::transfer;

// A COBOL-like element of `lines` lines with CR LF ends.
std::string elementText(int lines) {
  std::string text;
  for (int n = 0; n < lines; ++n) {
    text += "       MOVE WS-COUNT-" + std::to_string(n) + " TO WS-TOTAL.        \r\n";
  }
  return text;
}

void BM_ContentHash(benchmark::State& state) {
  const std::string text = elementText(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(transfer::contentHash(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ContentHash)->Arg(1000)->Arg(100000);

// A folder of `count` received elements, made once per benchmark.
struct ReceivedFolder {
  explicit ReceivedFolder(int count) {
    path = std::filesystem::temp_directory_path() /
           ("morvanta-baseline-bench-" + std::to_string(count));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    folder = fromUtf8(path.string());
    const std::string text = elementText(200);
    for (int n = 0; n < count; ++n) {
      names.push_back(u"E" + fromUtf8(std::to_string(n)) + u".txt");
      times.push_back(u"2026/12/07  10:00");
      morvanta::platform::writeBinaryFile(joinPath(folder, names.back()), text);
    }
  }
  ~ReceivedFolder() { std::filesystem::remove_all(path); }
  std::filesystem::path path;
  std::u16string folder;
  std::vector<std::u16string> names;
  std::vector<std::u16string> times;
};

void BM_RecordBulkReceive(benchmark::State& state) {
  const ReceivedFolder received(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    transfer::recordReceived(received.folder, received.names, received.times,
                             {2026, 12, 7, 10, 0, 0});
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecordBulkReceive)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LoadStoreAndFind(benchmark::State& state) {
  const ReceivedFolder received(static_cast<int>(state.range(0)));
  transfer::recordReceived(received.folder, received.names, received.times,
                           {2026, 12, 7, 10, 0, 0});
  for (auto _ : state) {
    transfer::BaselineStore store(received.folder);
    store.load();
    benchmark::DoNotOptimize(store.find(u"E500.txt"));
  }
}
BENCHMARK(BM_LoadStoreAndFind)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
