// A bulk-receive-shaped job: 1,000 small elements fetched from the simulated
// host over one login, by the job runner and, for comparison, by the curl
// command line fetching the same files in one invocation.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hostsim/HostSim.h"
#include "platform/Platform.h"
#include "runner/JobRunner.h"

namespace {

using morvanta::platform::fromUtf8;
using morvanta::test::HostSim;
namespace fs = std::filesystem;

constexpr int kElements = 1000;

std::string elementName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "E%04d", i);
  return name;
}

void writeLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& line : lines) out << line << "\r\n";
}

// The server, its 1,000 elements and both jobs, made once for every run.
struct BulkSetup {
  BulkSetup() : host(options()) {
    for (int i = 1; i <= kElements; ++i) {
      std::string text;
      for (int line = 1; line <= 8; ++line) {
        text += "       MOVE " + std::to_string(line) + " TO WS-" + elementName(i) + ".\n";
      }
      host.putElement("PRJ*BULK", elementName(i) + "._SYM", text);
    }
    const fs::path work = host.scratch();
    fs::create_directories(work / "runner");
    fs::create_directories(work / "curl");
    std::vector<std::string> script{"open 127.0.0.1 " + std::to_string(host.port()), host.user(),
                                    host.password()};
    std::vector<std::string> config;
    for (int i = 1; i <= kElements; ++i) {
      const std::string name = elementName(i);
      script.push_back("RECV PRJ*BULK." + name + " " + (work / "runner" / name).string() + ".txt");
      config.push_back("url = \"ftp://127.0.0.1:" + std::to_string(host.port()) + "/PRJ*BULK." +
                       name + "\"");
      config.push_back("output = \"" + (work / "curl" / name).string() + ".txt\"");
    }
    script.push_back("bye");
    writeLines(work / "RECVAUTO.TXT", script);
    writeLines(work / "RECVAUTO.BAT", {"ftp -s:" + (work / "RECVAUTO.TXT").string()});
    writeLines(work / "curl.cfg", config);
    batch = fromUtf8((work / "RECVAUTO.BAT").string());
    curlConfig = fromUtf8((work / "curl.cfg").string());
  }

  static morvanta::test::HostSimOptions options() {
    morvanta::test::HostSimOptions o;
    o.samples = false;
    o.lifetimeSeconds = 900;
    return o;
  }

  HostSim host;
  std::u16string batch;
  std::u16string curlConfig;
};

BulkSetup& setup() {
  static BulkSetup instance;
  return instance;
}

void BM_RunnerBulkReceive(benchmark::State& state) {
  auto& s = setup();
  for (auto _ : state) {
    std::ostringstream log;
    morvanta::runner::JobRunner runner(log);
    if (runner.runBatchFile(s.batch) != 0) {
      state.SkipWithError(log.str().c_str());
      break;
    }
  }
  state.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(kElements) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_CurlCommandLineBulkReceive(benchmark::State& state) {
  auto& s = setup();
  const std::u16string login = fromUtf8(s.host.user() + ":" + s.host.password());
  for (auto _ : state) {
    const int status = morvanta::platform::runAndWait(
        u"curl",
        {u"-s", u"-S", u"-g", u"-B", u"--ftp-method", u"nocwd", u"-u", login, u"-K", s.curlConfig});
    if (status != 0) {
      state.SkipWithError("curl failed");
      break;
    }
  }
  state.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(kElements) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RunnerBulkReceive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CurlCommandLineBulkReceive)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
