// Whole runs of the batch tool, process start and exit included, as a user
// times them: Ward's method on 3,001 objects by 10 features (Euclidean, on
// standardised values) with its report, and the two rank tables on 50
// variables by 10,000 observations. Wall time is what counts (the tool works
// on two threads where it pays).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs the batch tool with the arguments and waits for it; the CPU time of
// the child (user and system) goes to a counter.
void RunBatchTool(benchmark::State& state, const std::vector<std::string>& arguments) {
  std::vector<std::string> all{TAVREL_CLI_PATH};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  double childCpu = 0;
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("the batch tool does not start");
      return;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the batch tool failed");
    childCpu += usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
  }
  state.counters["child_CPU_ms"] = benchmark::Counter(childCpu * 1e3 / static_cast<double>(state.iterations()));
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

}  // namespace
