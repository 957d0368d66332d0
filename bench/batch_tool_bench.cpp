// Whole runs of the batch tool, process start and exit included, as a user
// times them: Ward's method on 3,001 objects by 10 features (Euclidean, on
// standardised values) with its report, the two rank tables on 50
// variables by 10,000 observations, and info on 100 variables by 100,000
// observations (60 MB; target 400 MB/s). Wall time is what counts (the tool
// works on two threads where it pays).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("tavrel-batch-bench-" + std::to_string(getpid()) + "-" + name))
      .string();
}

// A data file of measurements with the given decimals, normally spread.
std::string DataFile(const std::string& name, int variables, int observations, double mean, double sigma,
                     const char* format) {
  const std::string path = TempPath(name);
  std::ofstream out(path, std::ios::binary);
  for (int v = 0; v < variables; ++v) out << "V" << v + 1 << (v + 1 < variables ? " " : "\r\n");
  std::mt19937 rng(11);
  std::normal_distribution<double> value(mean, sigma);
  char buf[32];
  for (int i = 0; i < observations; ++i)
    for (int v = 0; v < variables; ++v) {
      std::snprintf(buf, sizeof buf, format, value(rng));
      out << buf << (v + 1 < variables ? " " : "\r\n");
    }
  return path;
}

// Runs the batch tool with the arguments (what it prints thrown away) and
// waits for it; the CPU time of the child (user and system) and its peak
// memory go to counters.
void RunBatchTool(benchmark::State& state, const std::vector<std::string>& arguments) {
  std::vector<std::string> all{TAVREL_CLI_PATH};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  double childCpu = 0, peakKb = 0;
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("the batch tool does not start");
      break;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the batch tool failed");
    childCpu += usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    peakKb = std::max(peakKb, static_cast<double>(usage.ru_maxrss));
  }
  posix_spawn_file_actions_destroy(&quiet);
  state.counters["child_CPU_ms"] = benchmark::Counter(childCpu * 1e3 / static_cast<double>(state.iterations()));
  state.counters["peak_RSS_MB"] = peakKb / 1e3;
}

void BM_BatchToolWard3001x10StandardisedWithReport(benchmark::State& state) {
  static const std::string data = DataFile("ward.txt", 10, 3001, 50, 10, "%.1f");
  const std::string report = TempPath("ward.out");
  RunBatchTool(state, {"cluster", data, report, "--method", "4", "--distance", "0", "--rewrite"});
  std::filesystem::remove(report);
}
BENCHMARK(BM_BatchToolWard3001x10StandardisedWithReport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_BatchToolRankTable50x10000(benchmark::State& state) {
  static const std::string data = DataFile("ranks.txt", 50, 10000, 100, 15, "%.2f");
  const std::string report = TempPath("ranks.out");
  RunBatchTool(state, {"stat", state.range(0) == 0 ? "wilcoxon" : "pair-wilcoxon", data, report, "--rewrite"});
  state.SetLabel(state.range(0) == 0 ? "rank-sum" : "signed-rank");
  std::filesystem::remove(report);
}
BENCHMARK(BM_BatchToolRankTable50x10000)->ArgName("paired")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Values like "50.23" (a few "9.87" or "100.12"), CR LF line ends.
void BM_BatchToolInfo100x100000(benchmark::State& state) {
  static const std::string data = [] {
    const std::string path = DataFile("info.txt", 100, 100000, 50, 10, "%.2f");
    std::atexit([] { std::filesystem::remove(TempPath("info.txt")); });
    return path;
  }();
  RunBatchTool(state, {"info", data});
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(data)));
  state.counters["table_MB"] = 100 * 100000 * 8 / 1e6;
}
BENCHMARK(BM_BatchToolInfo100x100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
