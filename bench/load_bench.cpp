// Loading a large text data file: 100 variables by 100,000 observations.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "data/data_input.h"
#include "data/dataset.h"
#include "shell/settings.h"

namespace {

const std::string& LargeFile() {
  static const std::string path = [] {
    const std::string p =
        (std::filesystem::temp_directory_path() / ("tavrel-bench-" + std::to_string(getpid()) + ".txt")).string();
    std::ofstream out(p, std::ios::binary);
    std::string line;
    for (int v = 0; v < 100; ++v) line += "Var" + std::to_string(v + 1) + " ";
    out << line << "\r\n";
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> value(0, 99999);
    char buf[32];
    for (int i = 0; i < 100000; ++i) {
      line.clear();
      for (int v = 0; v < 100; ++v) {
        std::snprintf(buf, sizeof buf, "%7.2f ", value(rng) / 100.0);
        line += buf;
      }
      out << line << "\r\n";
    }
    std::atexit([] { std::filesystem::remove(LargeFile()); });
    return p;
  }();
  return path;
}

void BM_LoadTextFile(benchmark::State& state) {
  const std::string& path = LargeFile();
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  tavrel::Config().IsZeroVarInput = false;
  for (auto _ : state) {
    const tavrel::LoadOutcome out = tavrel::LoadDataFile(path);
    if (!out.loaded) state.SkipWithError(out.warning.c_str());
    benchmark::DoNotOptimize(tavrel::Data().DataValues.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double valuesMb = 100.0 * 100000 * sizeof(double) / 1e6;
  state.counters["file_MB"] = bytes / 1e6;
  state.counters["values_MB"] = valuesMb;
  state.counters["peak_RSS_MB"] = usage.ru_maxrss / 1e3;
}
BENCHMARK(BM_LoadTextFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
