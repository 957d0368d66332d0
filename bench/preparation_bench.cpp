// The data table and its preparation commands on 100 variables by 100,000
// observations: filling the grid, storing it, each cleaning and transformation,
// and undoing and redoing them.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "app/shell/program_session.h"
#include "bench_table.h"
#include "core/data/dataset.h"
#include "core/preparation/edit_history.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/table_edit.h"
#include "core/preparation/transformations.h"
#include "core/shell/settings.h"

namespace {

constexpr int kVars = 100;
constexpr int kObs = 100000;

// A data set of normal values with a few outliers, and one missing value in
// about every 200 when withMissing.
tavrel::DataSet MakeTemplate(bool withMissing) {
  std::mt19937 rng(7);
  std::normal_distribution<double> value(50, 10);
  std::uniform_int_distribution<int> pick(0, 199);
  return tavrel::bench::MakeTable(kVars, kObs, [&](int, std::int32_t) {
    double x = value(rng);
    if (pick(rng) == 0) x = 500;  // an outlier
    if (withMissing && pick(rng) == 1) x = tavrel::bench::kBenchEmptyValue;
    return x;
  });
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
    benchmark::DoNotOptimize(tavrel::TableStateKeeper().State(tavrel::Data()));
  });
}
void BM_TableFillWithMissing(benchmark::State& state) {
  Run(state, true, [] {
    for (int v = 0; v < kVars; ++v) benchmark::DoNotOptimize(tavrel::SummariseVariable(tavrel::Data(), v));
    benchmark::DoNotOptimize(tavrel::TableStateKeeper().State(tavrel::Data()));
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

// Undo and redo of one command: the command runs untimed into a history, then
// each iteration undoes or redoes it (a step swaps what it holds with the data).
template <class Command>
void UndoRedo(benchmark::State& state, bool withMissing, Command command) {
  tavrel::Data() = Template(withMissing);
  tavrel::EditHistory history;
  history.Add(command(), tavrel::Data(), "step", false);
  bool padded = false;
  bool undone = false;
  for (auto _ : state) {
    const bool ok = undone ? history.Redo(tavrel::Data(), padded) : history.Undo(tavrel::Data(), padded);
    if (!ok) state.SkipWithError("no step");
    undone = !undone;
    benchmark::ClobberMemory();
  }
  state.counters["step_MB"] = static_cast<double>(history.Bytes()) / (1 << 20);
  state.SetLabel(std::to_string(kVars) + " x " + std::to_string(kObs));
}

#define UNDO_BENCH(name, withMissing, change, call)                                \
  void BM_Undo##name(benchmark::State& state) {                                     \
    UndoRedo(state, withMissing, [] {                                               \
      tavrel::Change c = change;                                                    \
      call;                                                                         \
      return c;                                                                     \
    });                                                                             \
  }                                                                                 \
  BENCHMARK(BM_Undo##name)->Unit(benchmark::kMillisecond)->Iterations(10)

#define ANY tavrel::Change::Any(tavrel::Data())
UNDO_BENCH(TypedCell, false, tavrel::Change::Cells(tavrel::Data(), {{5, 500}}),
           tavrel::ApplyCellEdits(tavrel::Data(), tavrel::Config(), {{5, 500, "12,5"}}));
UNDO_BENCH(InsertObservation, false, tavrel::Change::ObservationInserted(tavrel::Data(), 0),
           tavrel::InsertObservation(tavrel::Data(), tavrel::Config(), 0));
UNDO_BENCH(DeleteObservation, false, tavrel::Change::ObservationRemoved(tavrel::Data(), 0),
           tavrel::DeleteObservation(tavrel::Data(), tavrel::Config(), 0));
UNDO_BENCH(MoveObservation, false, tavrel::Change::ObservationMoved(tavrel::Data(), 0, kObs - 1),
           tavrel::MoveObservation(tavrel::Data(), tavrel::Config(), 0, kObs - 1));
UNDO_BENCH(InsertVariable, false, tavrel::Change::VariableInserted(tavrel::Data(), 0),
           tavrel::InsertVariable(tavrel::Data(), tavrel::Config(), 0));
UNDO_BENCH(DeleteVariable, false, tavrel::Change::VariableRemoved(tavrel::Data(), 0),
           tavrel::DeleteVariable(tavrel::Data(), tavrel::Config(), 0));
UNDO_BENCH(MoveVariable, false, tavrel::Change::VariableMoved(tavrel::Data(), kVars - 1, 0),
           tavrel::MoveVariable(tavrel::Data(), tavrel::Config(), kVars - 1, 0));
UNDO_BENCH(MissingToMean, true, ANY, tavrel::MissingToMean(tavrel::Data()));
UNDO_BENCH(DeleteMissing, true, ANY, tavrel::DeleteMissing(tavrel::Data()));
UNDO_BENCH(DeleteMissingRows, true, ANY, tavrel::DeleteMissingRows(tavrel::Data()));
UNDO_BENCH(OutliersToMean, false, ANY, tavrel::OutliersToMean(tavrel::Data()));
UNDO_BENCH(DeleteOutliers, false, ANY, tavrel::DeleteOutliers(tavrel::Data()));
UNDO_BENCH(DeleteOutlierRows, false, ANY, tavrel::DeleteOutlierRows(tavrel::Data()));
UNDO_BENCH(KeepOutliers, false, ANY, tavrel::KeepOutliers(tavrel::Data()));
UNDO_BENCH(KeepOutlierRows, false, ANY, tavrel::KeepOutlierRows(tavrel::Data()));
UNDO_BENCH(NormaliseVariables, false, ANY, tavrel::NormaliseVariables(tavrel::Data()));
UNDO_BENCH(Differences, false, ANY, tavrel::Differences(tavrel::Data()));
UNDO_BENCH(LogVariables, false, ANY, tavrel::LogVariables(tavrel::Data()));
UNDO_BENCH(ShiftSeries, false, ANY, tavrel::ShiftSeries(tavrel::Data(), -3));
UNDO_BENCH(ReplaceValues, false, ANY, tavrel::ReplaceValues(tavrel::Data(), 500, 50, 3));
UNDO_BENCH(Arithmetic, false, ANY, tavrel::Arithmetic(tavrel::Data(), 0, '/', 1, 2));
UNDO_BENCH(RenameVariables, false, ANY, tavrel::RenameVariables(tavrel::Data(), {"Pulse"}));
#undef ANY

// What fifty typed cells add to the history: memory (the counter history_MB)
// and the time of their fifty steps (taken before and added after each edit).
void BM_FiftyTypedCellsInHistory(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    tavrel::Data() = Template(false);
    state.ResumeTiming();
    tavrel::EditHistory history;
    for (int i = 0; i < 50; ++i) {
      tavrel::Change c = tavrel::Change::Cells(tavrel::Data(), {{i % kVars, 1000 + i}});
      state.PauseTiming();  // the edit itself is BM_StoreGridOneEdit
      tavrel::ApplyCellEdits(tavrel::Data(), tavrel::Config(), {{i % kVars, 1000 + i, std::to_string(i)}});
      state.ResumeTiming();
      history.Add(std::move(c), tavrel::Data(), "Ввод значения", false);
    }
    bytes = history.Bytes();
  }
  state.counters["history_MB"] = static_cast<double>(bytes) / (1 << 20);
  state.SetLabel("50 cells, 100 x 100000");
}
BENCHMARK(BM_FiftyTypedCellsInHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
