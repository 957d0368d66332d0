// A whole cluster run with its report: 3001 objects by 10 features, each joining method.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "cluster/cluster_analysis.h"
#include "cluster/cluster_options.h"
#include "data/dataset.h"
#include "data/results_file.h"
#include "shell/settings.h"

namespace {

constexpr int kObjects = 3001;
constexpr int kFeatures = 10;

void FillDataSet() {
  tavrel::ResetDataSet();
  tavrel::DataSet& d = tavrel::Data();
  std::mt19937 rng(5);
  std::normal_distribution<double> value(50, 10);
  for (int v = 0; v < kFeatures; ++v) {
    tavrel::Array<double> row;
    for (int k = 0; k < kObjects; ++k) row.push_back(static_cast<double>(static_cast<int>(value(rng) * 10)) / 10);
    d.DataValues.push_back(row);
    d.VarNames.push_back("V" + std::to_string(v + 1));
    d.VarCounts.push_back(kObjects);
  }
  d.NumVar = kFeatures;
  d.LastVar = d.FullLastVar = kFeatures - 1;
  d.NumObs = kObjects;
  d.LastObs = kObjects - 1;
}

void BM_ClusterRun(benchmark::State& state) {
  FillDataSet();
  tavrel::ClusterOptions& o = tavrel::ClusterConfig();
  o = tavrel::ClusterOptions{};
  o.ObjectDistance = static_cast<int>(state.range(1));
  o.ClusterDistance = static_cast<int>(state.range(0));
  o.ClusterNumber = 3;
  o.ClustCont = true;
  tavrel::Config().ObjectDistanceName = tavrel::ObjectDistanceCaption(o.ObjectDistance);
  tavrel::Config().ClusterDistanceName = tavrel::JoiningMethodCaption(o.ClusterDistance);
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tavrel-cluster-bench-" + std::to_string(getpid()) + ".out")).string();
  for (auto _ : state) {
    tavrel::ResultsFile().Open(path, false);
    const std::string error = tavrel::RunClusterAnalysis({});
    tavrel::ResultsFile().Close();
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(path);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["matrix_MB"] = static_cast<double>(kObjects) * kObjects * sizeof(double) / 1e6;
  state.counters["peak_RSS_MB"] = usage.ru_maxrss / 1e3;
  state.counters["found"] = tavrel::Data().Cluster.Found;
}
// Every method on the Euclidean distances, and the other two measures with Ward's method.
BENCHMARK(BM_ClusterRun)
    ->ArgNames({"method", "distance"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0}})
    ->Args({4, 1})
    ->Args({4, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
