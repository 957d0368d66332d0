#include "core/statistics/pair_loop.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/base/ordered_parallel.h"
#include "core/base/text_codec.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/pair_deletion.h"

namespace tavrel {

Array<PairVariable> ReadVariablesInForce(const DataSet& data) {
  Array<PairVariable> vars;
  for (int i = 0; i <= data.LastVar; ++i) {
    PairVariable v;
    v.name = data.VarNames[i];
    v.padded = v.name;
    PadName(v.padded);
    v.last = data.VarCounts[i] - 1;
    v.values = &data.DataValues[i];
    if (v.last >= v.values->Count()) throw RangeError("Число значений переменной больше длины строки данных");
    vars.push_back(std::move(v));
  }
  return vars;
}

std::vector<DecimalValues> DecimalValuesOfVariables(const DataSet& data, const Array<PairVariable>& vars) {
  std::vector<DecimalValues> decimals(static_cast<std::size_t>(vars.Count()));
  ForEachVariable(data, static_cast<int>(vars.Count()), [&](int v) {
    const PairVariable& var = vars[v];
    decimals[static_cast<std::size_t>(v)] =
        DecimalValuesOf(var.values->data(), std::min<long long>(var.last + 1, var.values->Count()));
  });
  return decimals;
}

PairDeletion PairDeletionOf(const DataSet& data) {
  return {data.PairwiseMissing, data.PairwiseOutliers, static_cast<double>(data.EmptyValue)};
}

PairSink Into(PairTable& table) {
  return [&table](const PairStatistic& pair) { table.push_back(pair); };
}

void NotePairDeletions(DataSet& data, const PairStatistic& pair) {
  if (pair.outcome == PairOutcome::kUnequalSizes) return;
  if (data.PairwiseMissing) NotePairDeletion(data.ProcessingNote, kMissingDeletedNote);
  if (data.PairwiseOutliers) NotePairDeletion(data.ProcessingNote, kOutliersDeletedNote);
}

bool SkippedForNames(const PairVariable& x, const PairVariable& y, bool equalNamesOnly) {
  return equalNamesOnly && x.name != y.name;
}

namespace {

int LastOf(const Array<PairVariable>& vars) { return static_cast<int>(vars.Count()) - 1; }

PairStatistic Unequal(int j, int k) {
  PairStatistic s;
  s.first = j;
  s.second = k;
  s.outcome = PairOutcome::kUnequalSizes;
  return s;
}

}  // namespace

void ComputePairsInOrder(int lastVar, const ProgressFn& progress, const std::function<bool(int j, int k)>& skip,
                         const std::function<PairStatistic(int worker, int j, int k)>& compute, const PairSink& take) {
  std::vector<std::pair<int, int>> pairs;
  for (int j = 0; j <= lastVar; ++j)
    for (int k = j + 1; k <= lastVar; ++k) pairs.emplace_back(j, k);
  std::vector<PairStatistic> results(pairs.size());
  ForEachInOrder(
      static_cast<long long>(pairs.size()),
      [&](int worker, long long i) {
        const auto [j, k] = pairs[static_cast<std::size_t>(i)];
        if (!skip(j, k)) results[static_cast<std::size_t>(i)] = compute(worker, j, k);
      },
      [&](long long i) {
        Report(progress, static_cast<int>(i + 1), static_cast<int>(pairs.size()));
        const auto [j, k] = pairs[static_cast<std::size_t>(i)];
        if (!skip(j, k)) take(results[static_cast<std::size_t>(i)]);
        results[static_cast<std::size_t>(i)] = {};  // its texts are not needed any more
      });
}

void ComputePreparedPairs(const Array<PairVariable>& vars, const PairDeletion& deletion, bool skipNames,
                          const ProgressFn& progress,
                          const std::function<PairStatistic(int worker, int j, int k, const PairSeries& pair)>& compute,
                          const PairSink& take) {
  PairSeries series[2];  // one per worker
  ComputePairsInOrder(
      LastOf(vars), progress, [&](int j, int k) { return SkippedForNames(vars[j], vars[k], skipNames); },
      [&](int worker, int j, int k) {
        if (vars[j].last != vars[k].last) return Unequal(j, k);
        series[worker].Prepare(vars[j], vars[k], deletion);
        PairStatistic s = compute(worker, j, k, series[worker]);
        s.first = j;
        s.second = k;
        return s;
      },
      take);
}

void ComputePairsByColumns(const Array<PairVariable>& vars, int blockRows, const ProgressFn& progress,
                           const std::function<void(int first, int end)>& startBlock,
                           const ColumnComputation& computeColumn, const PairSink& take) {
  const int last = LastOf(vars);
  const int pairs = last < 1 ? 0 : last * (last + 1) / 2;
  blockRows = std::max(1, blockRows);
  int done = 0;
  std::vector<int> rows[2];                // each worker's rows of its column
  std::vector<PairStatistic> computed[2];  // and their pairs
  for (int first = 0; first < last; first += blockRows) {
    const int end = std::min(first + blockRows, last);
    startBlock(first, end);
    // The block's pairs, row j's at (j - first) * (last + 1) + k.
    std::vector<PairStatistic> results(static_cast<std::size_t>(end - first) * static_cast<std::size_t>(last + 1));
    const auto at = [&](int j, int k) {
      return static_cast<std::size_t>(j - first) * static_cast<std::size_t>(last + 1) + static_cast<std::size_t>(k);
    };
    ForEachInOrder(
        last - first,
        [&](int worker, long long column) {
          const int k = first + 1 + static_cast<int>(column);
          std::vector<int>& same = rows[worker];
          same.clear();
          for (int j = first; j < std::min(k, end); ++j) {
            if (vars[j].last == vars[k].last) {
              same.push_back(j);
            } else {
              results[at(j, k)] = Unequal(j, k);
            }
          }
          computed[worker].assign(same.size(), PairStatistic{});
          if (!same.empty()) computeColumn(worker, k, same, computed[worker].data());
          for (std::size_t i = 0; i < same.size(); ++i) {
            PairStatistic& s = computed[worker][i];
            s.first = same[i];
            s.second = k;
            results[at(same[i], k)] = std::move(s);
          }
        },
        [&](long long column) {
          done += std::min(first + 1 + static_cast<int>(column), end) - first;
          Report(progress, done, pairs);
        });
    for (int j = first; j < end; ++j)
      for (int k = j + 1; k <= last; ++k) take(results[at(j, k)]);
  }
}

bool EveryPairOwn(const Array<PairVariable>& vars, const PairDeletion& deletion) {
  return !deletion.missing && !deletion.outliers && vars.Count() > 1 &&
         std::all_of(vars.begin(), vars.end(), [&](const PairVariable& v) { return v.last == vars[0].last; });
}

std::vector<const double*> ColumnsOf(const Array<PairVariable>& vars) {
  std::vector<const double*> columns;
  for (const PairVariable& v : vars) columns.push_back(v.values->data());
  return columns;
}

void TakeEveryPair(int count, const std::function<PairStatistic(int j, int k, std::size_t place)>& result,
                   const PairSink& take) {
  std::size_t place = 0;
  for (int j = 0; j < count; ++j) {
    for (int k = j + 1; k < count; ++k) {
      PairStatistic s = result(j, k, place++);
      s.first = j;
      s.second = k;
      take(s);
    }
  }
}

bool Unreliable(const std::string& p, bool reliableOnly) { return reliableOnly && p == ">0.05"; }

PairSink LineWriter(ResultsFileWriter& out, const Array<PairVariable>& vars, const PairText& text) {
  return [&out, &vars, text](const PairStatistic& pair) {
    const std::optional<std::string> line = text(pair);
    if (!line) return;
    out.WriteLn(" " + AlignRight(vars[pair.first].padded, 8) + " " + AlignRight(vars[pair.second].padded, 8) + *line);
  };
}

void WritePreparedPairLines(ResultsFileWriter& out, DataSet& data, const PairComputation& compute,
                            const PairText& text) {
  const Array<PairVariable> vars = ReadVariablesInForce(data);
  const PairSink write = LineWriter(out, vars, text);
  compute(vars, [&](const PairStatistic& pair) {
    NotePairDeletions(data, pair);
    write(pair);
  });
}

void PairSeries::Prepare(const PairVariable& a, const PairVariable& b, const PairDeletion& deletion) {
  last_ = a.last;
  own_ = true;
  if (!deletion.missing && !deletion.outliers) {
    x_ = a.values;
    y_ = b.values;
    return;
  }
  workX_ = a.Copy();
  workY_ = b.Copy();
  if (deletion.missing) DeletePairsEmpty(workX_, workY_, last_, deletion.empty);
  if (deletion.outliers) DeletePairsOutliers(workX_, workY_, last_, deletion.empty);
  own_ = last_ == a.last;
  x_ = &workX_;
  y_ = &workY_;
}

}  // namespace tavrel
