// A whole cluster run with its report: 3001 objects by 10 features, each joining
// method; and 3001 by 20 with and without the main window's progress display.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/shell/program_session.h"
#include "app/shell/tfm_main.h"
#include "bench_application.h"
#include "bench_table.h"
#include "core/cluster/cluster_analysis.h"
#include "core/cluster/cluster_options.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace {

constexpr int kObjects = 3001;
constexpr int kFeatures = 10;

void FillDataSet(int features = kFeatures) {
  tavrel::ResetDataSet();
  std::mt19937 rng(5);
  std::normal_distribution<double> value(50, 10);
  tavrel::Data() = tavrel::bench::MakeTable(
      features, kObjects,
      [&](int, std::int32_t) { return static_cast<double>(static_cast<int>(value(rng) * 10)) / 10; }, "V");
}

std::string BenchResultsPath() {
  return (std::filesystem::temp_directory_path() / ("tavrel-cluster-bench-" + std::to_string(getpid()) + ".out"))
      .string();
}

void BM_ClusterRun(benchmark::State& state) {
  FillDataSet();
  tavrel::ClusterOptions o;
  o.ObjectDistance = static_cast<int>(state.range(1));
  o.ClusterDistance = static_cast<int>(state.range(0));
  o.ClusterNumber = 3;
  o.ClustCont = true;
  tavrel::Config().ObjectDistanceName = tavrel::ObjectDistanceCaption(o.ObjectDistance);
  tavrel::Config().ClusterDistanceName = tavrel::JoiningMethodCaption(o.ClusterDistance);
  const std::string path = BenchResultsPath();
  tavrel::ResultsFileWriter out;
  bool found = false;
  for (auto _ : state) {
    out.Open(path, false);
    const tavrel::ClusterRun run = tavrel::RunClusterAnalysis(tavrel::Data(), o, tavrel::Config(), out, {});
    out.Close();
    if (!run.error.empty()) state.SkipWithError(run.error.c_str());
    found = run.result.Found;
  }
  std::filesystem::remove(path);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["matrix_MB"] = static_cast<double>(kObjects) * kObjects * sizeof(double) / 1e6;
  state.counters["peak_RSS_MB"] = usage.ru_maxrss / 1e3;
  state.counters["found"] = found;
}
// Every method on the Euclidean distances, and the other two measures with Ward's method.
BENCHMARK(BM_ClusterRun)
    ->ArgNames({"method", "distance"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0}})
    ->Args({4, 1})
    ->Args({4, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Ward's method on the Euclidean distances of standardised features, by wall
// time, as the distance rows are worked on by two threads: at most 100 ms for
// the whole run of the batch tool (see batch_tool_bench.cpp).
BENCHMARK(BM_ClusterRun)
    ->Name("BM_Ward3001x10StandardisedWithReport")
    ->ArgNames({"method", "distance"})
    ->Args({4, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// The run as the menu command makes it: progress and status shown in the main
// window (shown 1) against the same run with nothing shown (shown 0), as the batch tool runs it.
void BM_ClusterRunShownInTheMainWindow(benchmark::State& state) {
  BenchApplication();
  static tavrel::TfmMain& main = *new tavrel::TfmMain;  // lives as long as the application
  const bool shown = state.range(0) == 1;
  if (shown) main.show();
  FillDataSet(20);
  tavrel::ClusterOptions o;
  o.ClusterDistance = 4;
  o.ClusterNumber = 3;
  tavrel::ClusterFeedback feedback;
  if (shown) {
    feedback.progress = [](int position, int maximum) { main.SetProgress(position, maximum); };
    feedback.status = [](const std::string& text) { main.SetInform(QString::fromStdString(text)); };
  }
  const std::string path = BenchResultsPath();
  tavrel::ResultsFileWriter out;
  for (auto _ : state) {
    out.Open(path, false);
    const tavrel::ClusterRun run = tavrel::RunClusterAnalysis(tavrel::Data(), o, tavrel::Config(), out, feedback);
    out.Close();
    if (!run.error.empty()) state.SkipWithError(run.error.c_str());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ClusterRunShownInTheMainWindow)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
