// The data table and its preparation commands on 100 variables by 100,000
// observations: filling the grid, storing it, and each cleaning and transformation.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/table_edit.h"
#include "core/preparation/transformations.h"

namespace {

constexpr int kVars = 100;
constexpr int kObs = 100000;
constexpr double kEmpty = -999;

// A data set of normal values with a few outliers, and one missing value in
// about every 200 when withMissing.
tavrel::DataSet MakeTemplate(bool withMissing) {
  tavrel::DataSet d;
  std::mt19937 rng(7);
  std::normal_distribution<double> value(50, 10);
  std::uniform_int_distribution<int> pick(0, 199);
  for (int v = 0; v < kVars; ++v) {
    tavrel::Array<double> row(kObs);
    for (int j = 0; j < kObs; ++j) {
      row[j] = value(rng);
      if (pick(rng) == 0) row[j] = 500;  // an outlier
      if (withMissing && pick(rng) == 1) row[j] = kEmpty;
    }
    d.DataValues.push_back(std::move(row));
    d.VarNames.push_back("Var" + std::to_string(v + 1));
    d.VarCounts.push_back(kObs);
  }
  d.NumVar = kVars;
  d.LastVar = kVars - 1;
  d.FullLastVar = kVars - 1;
  d.NumObs = kObs;
  d.LastObs = kObs - 1;
  d.EmptyValue = static_cast<std::int32_t>(kEmpty);
  return d;
}

const tavrel::DataSet& Template(bool withMissing) {
  static const tavrel::DataSet complete = MakeTemplate(false);
  static const tavrel::DataSet missing = MakeTemplate(true);
  return withMissing ? missing : complete;
}

// Times one command on a fresh copy of the template each iteration.
template <class Command>
void Run(benchmark::State& state, bool withMissing, Command command) {
  for (auto _ : state) {
    state.PauseTiming();
    tavrel::Data() = Template(withMissing);
    state.ResumeTiming();
    command();
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(kVars) + " x " + std::to_string(kObs));
}

// What filling the grid computes: the summary rows of every column and which
// cleaning commands apply. The cells themselves are made only when shown.
void BM_TableFill(benchmark::State& state) {
  Run(state, false, [] {
    for (int v = 0; v < kVars; ++v) benchmark::DoNotOptimize(tavrel::SummariseVariable(tavrel::Data(), v));
    benchmark::DoNotOptimize(tavrel::CurrentTableState(tavrel::Data()));
  });
}
void BM_TableFillWithMissing(benchmark::State& state) {
  Run(state, true, [] {
    for (int v = 0; v < kVars; ++v) benchmark::DoNotOptimize(tavrel::SummariseVariable(tavrel::Data(), v));
    benchmark::DoNotOptimize(tavrel::CurrentTableState(tavrel::Data()));
  });
}
// Storing the grid with nothing typed touches nothing.
void BM_StoreGridNoEdits(benchmark::State& state) {
  Run(state, false, [] { benchmark::DoNotOptimize(tavrel::ApplyCellEdits(tavrel::Data(), tavrel::Config(), {})); });
}
void BM_StoreGridOneEdit(benchmark::State& state) {
  Run(state, false, [] {
    benchmark::DoNotOptimize(tavrel::ApplyCellEdits(tavrel::Data(), tavrel::Config(), {{5, 500, "12,5"}}));
  });
}

BENCHMARK(BM_TableFill)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TableFillWithMissing)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StoreGridNoEdits)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StoreGridOneEdit)->Unit(benchmark::kMillisecond)->Iterations(5);

#define PREPARATION_BENCH(name, withMissing, call)                        \
  void BM_##name(benchmark::State& state) { Run(state, withMissing, [] { call; }); } \
  BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)->Iterations(5)

PREPARATION_BENCH(MissingToMean, true, tavrel::MissingToMean(tavrel::Data()));
PREPARATION_BENCH(DeleteMissing, true, tavrel::DeleteMissing(tavrel::Data()));
PREPARATION_BENCH(DeleteMissingRows, true, tavrel::DeleteMissingRows(tavrel::Data()));
PREPARATION_BENCH(OutliersToMean, false, tavrel::OutliersToMean(tavrel::Data()));
PREPARATION_BENCH(DeleteOutliers, false, tavrel::DeleteOutliers(tavrel::Data()));
PREPARATION_BENCH(DeleteOutlierRows, false, tavrel::DeleteOutlierRows(tavrel::Data()));
PREPARATION_BENCH(KeepOutliers, false, tavrel::KeepOutliers(tavrel::Data()));
PREPARATION_BENCH(KeepOutlierRows, false, tavrel::KeepOutlierRows(tavrel::Data()));
PREPARATION_BENCH(NormaliseVariables, false, tavrel::NormaliseVariables(tavrel::Data()));
PREPARATION_BENCH(Differences, false, tavrel::Differences(tavrel::Data()));
PREPARATION_BENCH(LogVariables, false, tavrel::LogVariables(tavrel::Data()));
PREPARATION_BENCH(ShiftSeries, false, tavrel::ShiftSeries(tavrel::Data(), -3));
PREPARATION_BENCH(ReplaceValues, false, tavrel::ReplaceValues(tavrel::Data(), 500, 50, -1));
PREPARATION_BENCH(Arithmetic, false, tavrel::Arithmetic(tavrel::Data(), 0, '/', 1, 2));
PREPARATION_BENCH(InsertObservation, false, tavrel::InsertObservation(tavrel::Data(), tavrel::Config(), 0));
PREPARATION_BENCH(DeleteObservation, false, tavrel::DeleteObservation(tavrel::Data(), tavrel::Config(), 0));
PREPARATION_BENCH(InsertVariable, false, tavrel::InsertVariable(tavrel::Data(), tavrel::Config(), 0));
PREPARATION_BENCH(MoveVariable, false, tavrel::MoveVariable(tavrel::Data(), tavrel::Config(), kVars - 1, 0));

}  // namespace
