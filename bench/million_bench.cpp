// A monitoring series of 100 variables by 1,000,000 observations (a reading a
// minute for two years): loading its 600 MB text file, the descriptive
// analyses of all variables, saving it, filling the data table's grid and
// what the table works out about its values.
// Targets: load 2.5 s, each analysis 2 s, save 3 s, grid 50 ms, with the
// process's memory within 1.25 times the table (800 MB). The graph of the same
// size is in graph_bench.cpp.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/preparation/data_table_model.h"
#include "app/shell/program_session.h"
#include "bench_application.h"
#include "bench_table.h"
#include "core/data/data_input.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/preparation/table_edit.h"
#include "core/statistics/statistics_run.h"

namespace {

constexpr int kVariables = 100;
constexpr int kObservations = 1000000;

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("tavrel-million-bench-" + std::to_string(getpid()) + "-" + name))
      .string();
}

// The peak memory of the process so far forgotten (the kernel's "5" to
// clear_refs), so that PeakSinceResetMb is of what follows.
void ResetPeakRss() {
  if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", f);
    std::fclose(f);
  }
}

// The peak of the process since ResetPeakRss, in MB.
double PeakSinceResetMb() {
  double kb = 0;
  if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f))
      if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
    std::fclose(f);
  }
  return kb / 1e3;
}

// Values like "50.23", a few of them missing (-999), from a cheap generator:
// a hundred million of them are made in a moment.
double Reading(std::uint64_t& state) {
  state = state * 6364136223846793005u + 1442695040888963407u;
  const auto r = static_cast<int>(state >> 40);
  return r % 997 == 0 ? -999 : (1000 + r % 9000) / 100.0;  // as a reader of "50.23" gives it
}

// The data set of the program's session holds the series.
void FillDataSet() {
  tavrel::DataSet& d = tavrel::Data();
  if (d.NumObs == kObservations) return;
  tavrel::ResetDataSet();
  std::uint64_t state = 29;
  d = tavrel::bench::MakeTable(kVariables, kObservations, [&](int, std::int32_t) { return Reading(state); });
  d.DataFileName = "million.txt";
}

// The file is written once, from the data set, and removed at exit.
const std::string& TextFile() {
  static const std::string path = [] {
    FillDataSet();
    const std::string p = TempPath("data.txt");
    tavrel::ResultsFileWriter out;
    out.Open(p, false);
    tavrel::WriteDataTable(out, tavrel::Data());
    out.Close();
    std::atexit([] { std::filesystem::remove(TempPath("data.txt")); });
    return p;
  }();
  return path;
}

// Into a session of its own, as the program's first load.
void BM_MillionLoad(benchmark::State& state) {
  const std::string& path = TextFile();
  tavrel::ResetDataSet();  // only the loaded table in memory
  ResetPeakRss();
  for (auto _ : state) {
    tavrel::Session session;
    session.settings.IsZeroVarInput = false;
    const tavrel::LoadOutcome out = tavrel::LoadDataFile(path, session);
    if (!out.loaded) state.SkipWithError(out.warning.c_str());
    benchmark::DoNotOptimize(session.data.DataValues.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["table_MB"] = kVariables * 8.0 * kObservations / 1e6;
  state.counters["peak_RSS_MB"] = PeakSinceResetMb();
}
BENCHMARK(BM_MillionLoad)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Elementary statistics (0), variability (1) and threshold levels (2), each
// with its report and the progress of every variable.
void BM_MillionDescriptive(benchmark::State& state) {
  FillDataSet();
  ResetPeakRss();
  const std::string path = TempPath("report.out");
  tavrel::StatOptions options;
  options.StSel = static_cast<int>(state.range(0));
  options.UserLevelOn = true;
  options.UserLevel = 2.5;
  state.SetLabel(tavrel::AnalysisCaption(options.StSel));
  tavrel::ResultsFileWriter out;
  int steps = 0;
  for (auto _ : state) {
    out.Open(path, false);
    const std::string failure =
        tavrel::RunStatisticsReport(out, tavrel::Data(), options, "Tavrel", [&steps](int, int) { ++steps; });
    if (!failure.empty()) state.SkipWithError(failure.c_str());
  }
  state.counters["progress_steps"] = benchmark::Counter(steps, benchmark::Counter::kAvgIterations);
  state.counters["peak_RSS_MB"] = PeakSinceResetMb();
  std::filesystem::remove(path);
}
BENCHMARK(BM_MillionDescriptive)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_MillionSave(benchmark::State& state) {
  FillDataSet();
  ResetPeakRss();
  const std::string path = TempPath("saved.txt");
  for (auto _ : state) {
    tavrel::ResultsFileWriter out;
    out.Open(path, false);
    tavrel::WriteDataTable(out, tavrel::Data());
    out.Close();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["peak_RSS_MB"] = PeakSinceResetMb();
  std::filesystem::remove(path);
}
BENCHMARK(BM_MillionSave)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The data table's grid shown anew: its counts and the summary rows.
void BM_MillionGridFill(benchmark::State& state) {
  BenchApplication();
  FillDataSet();
  ResetPeakRss();
  tavrel::DataTableModel model;
  for (auto _ : state) {
    model.Fill();
    benchmark::DoNotOptimize(model.headerData(0, Qt::Horizontal, tavrel::DataTableModel::MaxRole));
  }
  state.counters["peak_RSS_MB"] = PeakSinceResetMb();
}
BENCHMARK(BM_MillionGridFill)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// What the data table works out when it opens and after each typed value: are
// there missing values, and if not, outliers. A clean table, with neither, is
// the longest case: every variable is looked at when the table opens, the
// variable typed in alone after a typed value.
tavrel::DataSet CleanTable() {
  std::uint64_t seed = 31;
  return tavrel::bench::MakeTable(kVariables, kObservations, [&](int, std::int32_t) {
    const double x = Reading(seed);
    return x == -999 ? 50.0 : x;
  });
}

void BM_MillionTableState(benchmark::State& state) {
  const tavrel::DataSet clean = CleanTable();
  for (auto _ : state) {
    tavrel::TableStateKeeper keeper;
    const tavrel::TableState table = keeper.State(clean);
    if (table.missing || table.outliers) state.SkipWithError("the table is not clean");
  }
}
BENCHMARK(BM_MillionTableState)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_MillionTableStateAfterATypedValue(benchmark::State& state) {
  const tavrel::DataSet clean = CleanTable();
  tavrel::TableStateKeeper keeper;
  keeper.State(clean);
  int typedIn = 0;
  for (auto _ : state) {
    keeper.Forget(typedIn);
    const tavrel::TableState table = keeper.State(clean);
    if (table.missing || table.outliers) state.SkipWithError("the table is not clean");
    typedIn = (typedIn + 1) % kVariables;
  }
}
BENCHMARK(BM_MillionTableStateAfterATypedValue)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace
