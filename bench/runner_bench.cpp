// The job runner against the reference FTP clients, on the same simulated
// host in the same run: a bulk-receive-shaped job of 1,000 small elements
// over one login, fetched by morvanta-run, by Python's ftplib and by lftp
// (and, only as an informative figure with a bounded time, by the curl
// command line). Each client runs as a process of its own, as the runner
// does for the window, and the three take turns, one run each per round.
// After the runs, the ratios are printed.
//
// BM_RunnerPeakMemory receives one 300 MB element and reports the runner's
// peak resident memory (it streams: the figure must not grow with the size).
//
//   build/bin/runner_bench                               everything
//   build/bin/runner_bench --benchmark_filter=BulkTurns  the comparison only
//
// The comparison runs twice: over the files the previous run left (the
// usual case of a bulk receive) and into empty folders (see takeTurns for
// why both).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "hostsim/HostSim.h"

extern char** environ;

namespace {

using morvanta::test::HostSim;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kElements = 1000;
const std::string kRunner = std::string(MORVANTA_BIN_DIR) + "/morvanta-run";

std::string elementName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "E%04d", i);
  return name;
}

void writeLines(const fs::path& path, const std::vector<std::string>& lines,
                const char* end = "\r\n") {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& line : lines) out << line << end;
}

// One finished process: how long it took, how it ended, its peak memory.
struct Outcome {
  bool ok = false;
  std::string why;
  double seconds = 0;
  double cpuSeconds = 0;  // user + system time of the client itself
  long peakKiB = 0;
};

// Runs a program without a shell, its output to `log`; kills it when it
// takes longer than `limit`, so no client can stall the benchmark.
Outcome runBounded(const std::vector<std::string>& args, const fs::path& log,
                   std::chrono::seconds limit) {
  std::vector<std::string> words = args;
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  Outcome outcome;
  pid_t pid = -1;
  const auto start = Clock::now();
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    outcome.why = "cannot start " + args[0];
    return outcome;
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  bool killed = false;
  // The wait sleeps until the client ends or its time is up: a benchmark
  // that woke every few hundred microseconds would take a share of the
  // machine's two cores from the clients it times.
  const int ended = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  for (;;) {
    const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    const auto left = limit - (Clock::now() - start);
    if (!killed && left <= Clock::duration::zero()) {
      ::kill(pid, SIGKILL);
      killed = true;
    }
    if (ended >= 0 && !killed) {
      pollfd watch{ended, POLLIN, 0};
      ::poll(&watch, 1,
             static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  }
  if (ended >= 0) ::close(ended);
  outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  outcome.peakKiB = usage.ru_maxrss;
  outcome.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  outcome.ok = !killed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (killed) outcome.why = args[0] + " did not end within the bound";
  if (!killed && !outcome.ok) {
    // The log goes with the host's folder: keep the end of it in the message.
    std::ifstream in(log, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    outcome.why = args[0] + " failed: " + text.substr(text.size() > 300 ? text.size() - 300 : 0);
  }
  return outcome;
}

const char* kFtplibScript = R"(import ftplib, sys
host, port, user, password, listing = sys.argv[1:6]
ftp = ftplib.FTP()
ftp.connect(host, int(port), timeout=30)
ftp.login(user, password)
with open(listing) as names:
    for line in names:
        remote, local = line.split()
        with open(local, "wb") as out:
            ftp.retrlines("RETR " + remote, lambda text: out.write(text.encode("latin-1") + b"\r\n"))
ftp.quit()
)";

// The host, its 1,000 elements and every client's job, made once.
struct BulkSetup {
  BulkSetup() : host(options()), work(host.scratch()) {
    for (int i = 1; i <= kElements; ++i) {
      std::string text;
      for (int line = 1; line <= 8; ++line) {
        text += "       MOVE " + std::to_string(line) + " TO WS-" + elementName(i) + ".\n";
      }
      host.putElement("PRJ*BULK", elementName(i) + "._SYM", text);
    }
    const std::string port = std::to_string(host.port());
    std::vector<std::string> script{"open 127.0.0.1 " + port, host.user(), host.password()};
    std::vector<std::string> pairs;
    std::vector<std::string> lftp{
        "set cmd:fail-exit yes", "set xfer:clobber on", "set net:max-retries 3",
        "set net:timeout 30",
        "open -u " + host.user() + "," + host.password() + " ftp://127.0.0.1:" + port};
    std::vector<std::string> curl;
    for (const char* client : {"runner", "ftplib", "lftp", "curl"}) {
      fs::create_directories(work / client);
    }
    for (int i = 1; i <= kElements; ++i) {
      const std::string name = elementName(i);
      const std::string remote = "PRJ*BULK." + name;
      script.push_back("RECV " + remote + " " + (work / "runner" / name).string() + ".txt");
      pairs.push_back(remote + " " + (work / "ftplib" / name).string() + ".txt");
      lftp.push_back("get -a " + remote + " -o " + (work / "lftp" / name).string() + ".txt");
      curl.push_back("url = \"ftp://127.0.0.1:" + port + "/" + remote + "\"");
      curl.push_back("output = \"" + (work / "curl" / name).string() + ".txt\"");
    }
    script.push_back("bye");
    lftp.push_back("bye");
    runnerScript = script;
    writeLines(work / "RECVAUTO.BAT", {"ftp -s:" + (work / "RECVAUTO.TXT").string()});
    writeLines(work / "ftplib.txt", pairs, "\n");
    writeLines(work / "ftplib_bulk.py", {kFtplibScript}, "");
    writeLines(work / "bulk.lftp", lftp, "\n");
    writeLines(work / "curl.cfg", curl, "\n");
  }

  static morvanta::test::HostSimOptions options() {
    morvanta::test::HostSimOptions o;
    o.samples = false;
    o.lifetimeSeconds = 1800;
    o.verbose = false;
    return o;
  }

  // The runner erases its script when the job ends, as it must: a fresh
  // one for every run.
  void writeRunnerScript() const { writeLines(work / "RECVAUTO.TXT", runnerScript); }

  HostSim host;
  fs::path work;
  std::vector<std::string> runnerScript;
};

BulkSetup& setup() {
  static BulkSetup instance;
  return instance;
}

// Seconds per run of each client, round by round, for the ratios at the end.
std::map<std::string, std::vector<double>>& timings() {
  static std::map<std::string, std::vector<double>> all;
  return all;
}

// One client of the comparison: its name, its command, its folder of files.
struct Client {
  std::string name;
  std::vector<std::string> args;
  std::string folder;
};

std::vector<Client> clients() {
  const auto& s = setup();
  return {
      {"morvanta-run", {kRunner, (s.work / "RECVAUTO.BAT").string()}, "runner"},
      {"ftplib",
       {"/usr/bin/python3", (s.work / "ftplib_bulk.py").string(), "127.0.0.1",
        std::to_string(s.host.port()), s.host.user(), s.host.password(),
        (s.work / "ftplib.txt").string()},
       "ftplib"},
      {"lftp", {"lftp", "-f", (s.work / "bulk.lftp").string()}, "lftp"},
  };
}

void emptyFolder(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
}

// The clients take turns, one run each per round: on a shared machine slow
// spells last seconds, and taking turns lets them fall on every client
// alike. The iteration's time is the runner's; the others' go to timings().
//
// `newFiles`: each client's folder is emptied (untimed) before its run. Over
// existing files the reference clients truncate and rewrite each file in
// place, while the runner writes a new file beside it and renames it into
// place, so that no reader ever sees half a file: one new inode per element,
// which costs far more than the transfer on a file system that searches
// past recently freed inodes (ext4 without a journal). With new files every
// client pays for the inodes, and the figures compare the FTP work itself.
void takeTurns(benchmark::State& state, bool newFiles) {
  auto& s = setup();
  const std::string suffix = newFiles ? "/new" : "";
  double cpu = 0;
  for (auto _ : state) {
    for (const Client& client : clients()) {
      if (newFiles) emptyFolder(s.work / client.folder);
      if (client.folder == "runner") s.writeRunnerScript();
      const Outcome outcome =
          runBounded(client.args, s.work / (client.folder + ".log"), std::chrono::seconds(120));
      if (!outcome.ok) {
        state.SkipWithError(outcome.why.c_str());
        return;
      }
      timings()[client.name + suffix].push_back(outcome.seconds);
      if (client.folder == "runner") {
        state.SetIterationTime(outcome.seconds);
        cpu += outcome.cpuSeconds;
      }
    }
  }
  // The runner's own work, apart from the host's and the machine's load.
  state.counters["client_cpu_ms"] =
      state.iterations() ? 1000.0 * cpu / static_cast<double>(state.iterations()) : 0.0;
  state.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(kElements) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_BulkTurns(benchmark::State& state) {
  takeTurns(state, false);
}

void BM_BulkTurnsNewFiles(benchmark::State& state) {
  takeTurns(state, true);
}

void runClient(benchmark::State& state, const std::string& client,
               const std::vector<std::string>& args, std::chrono::seconds limit) {
  auto& s = setup();
  for (auto _ : state) {
    const Outcome outcome = runBounded(args, s.work / (client + ".log"), limit);
    if (!outcome.ok) {
      state.SkipWithError(outcome.why.c_str());
      break;
    }
    state.SetIterationTime(outcome.seconds);
    timings()[client].push_back(outcome.seconds);
  }
  state.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(kElements) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

// The curl command line now and then waits a whole second before it opens a
// data connection; bounded, so it can only spoil its own figure.
void BM_BulkCurlCommandLine(benchmark::State& state) {
  auto& s = setup();
  runClient(state, "curl",
            {"curl", "-s", "-S", "-g", "-B", "--ftp-method", "nocwd", "-u",
             s.host.user() + ":" + s.host.password(), "-K", (s.work / "curl.cfg").string()},
            std::chrono::seconds(60));
}

void BM_RunnerPeakMemory(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0)) * 1000 * 1000;
  morvanta::test::HostSimOptions options;
  options.samples = false;
  options.lifetimeSeconds = 900;
  HostSim host(options);
  host.addProgramFile("PRJ*BIG");
  {
    std::ofstream out(host.elementPath("PRJ*BIG", "HUGE._SYM"), std::ios::binary);
    const std::string line(79, 'X');
    for (std::size_t written = 0; written < size; written += 80) out << line << '\n';
  }
  const fs::path work = host.scratch();
  const fs::path target = work / "HUGE.txt";
  long peakKiB = 0;
  for (auto _ : state) {
    writeLines(work / "RECV.TXT", {"open 127.0.0.1 " + std::to_string(host.port()), host.user(),
                                   host.password(), "RECV PRJ*BIG.HUGE " + target.string(), "bye"});
    writeLines(work / "RECV.BAT", {"ftp -s:" + (work / "RECV.TXT").string()});
    const Outcome outcome = runBounded({kRunner, (work / "RECV.BAT").string()}, work / "RECV.log",
                                       std::chrono::seconds(600));
    if (!outcome.ok) {
      state.SkipWithError(outcome.why.c_str());
      break;
    }
    state.SetIterationTime(outcome.seconds);
    peakKiB = std::max(peakKiB, outcome.peakKiB);
  }
  state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
  state.counters["received_MB"] = static_cast<double>(fs::file_size(target)) / (1000.0 * 1000.0);
  state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
}

BENCHMARK(BM_BulkTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_BulkTurnsNewFiles)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_BulkCurlCommandLine)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_RunnerPeakMemory)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One block of ratios: the runner's timings under `runnerKey` against every
// other client whose key ends with `suffix`, as the median of the rounds'
// ratios (each round ran the clients in turn) and of the times, and as the
// ratio of the quickest runs.
void printRatios(const std::string& runnerKey, const std::string& suffix, const char* title) {
  const auto& all = timings();
  const auto runner = all.find(runnerKey);
  if (runner == all.end() || runner->second.empty()) return;
  const double ours = median(runner->second);
  std::printf("\nBulk receive of %d elements, %s, medians of this run:\n", kElements, title);
  std::printf("  %-14s %8.0f elements/s\n", "morvanta-run", kElements / ours);
  for (const auto& [key, seconds] : all) {
    const bool ownGroup =
        suffix.empty() ? key.find('/') == std::string::npos
                       : key.size() > suffix.size() &&
                             key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (key == runnerKey || !ownGroup || seconds.empty()) continue;
    const std::string client = key.substr(0, key.size() - suffix.size());
    const double theirs = median(seconds);
    std::vector<double> rounds;
    for (std::size_t r = 0; r < seconds.size() && r < runner->second.size(); ++r) {
      rounds.push_back(seconds[r] / runner->second[r]);
    }
    const bool paired = client != "curl" && rounds.size() == seconds.size();
    std::printf("  %-14s %8.0f elements/s   morvanta-run is %.2fx as fast", client.c_str(),
                kElements / theirs, paired ? median(rounds) : theirs / ours);
    if (!paired) {
      std::printf(" (informative: curl may stall)\n");
      continue;
    }
    // The quickest run of each is the one a slow spell touched least.
    const double best = *std::min_element(seconds.begin(), seconds.end()) /
                        *std::min_element(runner->second.begin(), runner->second.end());
    std::printf(" (median of the rounds; %.2fx best against best)\n", best);
  }
}

void printRatios() {
  printRatios("morvanta-run", "", "over the files of the run before");
  printRatios("morvanta-run/new", "/new", "into empty folders");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  printRatios();
  return 0;
}
