// The ten analyses of the statistics command on 50 variables by 10,000
// observations (1,225 pairs), each writing its whole report to a file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "app/shell/program_session.h"
#include "bench_table.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"

namespace {

constexpr int kVariables = 50;
constexpr int kObservations = 10000;

// Values with two decimals, as measurements are usually written, so that ties occur.
void FillDataSet() {
  tavrel::ResetDataSet();
  std::mt19937 rng(3);
  std::normal_distribution<double> value(100, 15);
  tavrel::DataSet& d = tavrel::Data();
  d = tavrel::bench::MakeTable(kVariables, kObservations, [&](int, std::int32_t) {
    return std::round(value(rng) * 100) / 100;
  });
  d.DataFileName = "bench.txt";
}

void BM_Statistics(benchmark::State& state) {
  FillDataSet();
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tavrel-stat-bench-" + std::to_string(getpid()) + ".out")).string();
  tavrel::StatOptions options;
  options.StSel = static_cast<int>(state.range(0));
  options.UserLevelOn = true;
  options.UserLevel = 2.5;
  state.SetLabel(tavrel::AnalysisCaption(options.StSel));
  tavrel::ResultsFileWriter out;
  for (auto _ : state) {
    out.Open(path, false);
    const std::string failure = tavrel::RunStatisticsReport(out, tavrel::Data(), options, "Tavrel", {});
    if (!failure.empty()) state.SkipWithError(failure.c_str());
  }
  state.counters["report_KB"] = std::filesystem::file_size(path) / 1e3;
  std::filesystem::remove(path);
}
BENCHMARK(BM_Statistics)->DenseRange(0, tavrel::kAnalysisCount - 1)->Unit(benchmark::kMillisecond)->MinTime(0.5);
// The rank tables (8 rank-sum, 9 signed-rank) by wall time, as the signed-rank
// table works on two threads: at most 100 ms each.
BENCHMARK(BM_Statistics)
    ->Name("BM_RankTables50x10000")
    ->Arg(8)
    ->Arg(9)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5);

}  // namespace
