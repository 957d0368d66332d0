#pragma once
// What the pair tables share: the variables in force read once, the loop over
// all pairs j < k with its progress, the line prefix, and the working series of
// a pair after the pairwise deletions.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/data/checked_array.h"
#include "core/data/dataset.h"
#include "core/data/ordered_parallel.h"
#include "core/data/results_file.h"
#include "core/statistics/progress.h"

namespace tavrel {

// A variable in force as the pair tables use it.
struct PairVariable {
  Variable var;        // name as stored, last index and values
  std::string padded;  // the name after PadName
};

// Variables 0..LastVar.
Array<PairVariable> ReadVariablesInForce();

// Calls body(j, k) for j = 0..LastVar, k = j + 1..LastVar, after moving the
// progress to the running number of the pair (out of the number of pairs).
void ForEachPair(const ProgressFn& progress, const std::function<void(int j, int k)>& body);

// One blank, the first name [8], one blank, the second name [8].
std::string PairPrefix(const PairVariable& x, const PairVariable& y);

// Whether the pair is to be skipped for EqualNamesOnly (stored names differ).
bool SkippedForNames(const PairVariable& x, const PairVariable& y);

class PairSeries;

// The pair loop of the analyses that pair observation i with observation i:
// with namesMatter, pairs of differently named variables are skipped for
// EqualNamesOnly; variables of different sizes get the prefix and unequalLine;
// the others are prepared and handed to body.
void ForEachPreparedPair(
    const Array<PairVariable>& vars, const ProgressFn& progress, bool namesMatter, const std::string& unequalLine,
    const std::function<void(int j, int k, const std::string& prefix, const PairSeries& pair)>& body);

// ForEachPreparedPair for analyses whose work on a pair is long: compute
// works on a prepared pair on one of two threads (worker 0 or 1, see
// ForEachInOrder; what it keeps per worker is its own), write takes its result
// with the line prefix on the calling thread, pair after pair in order.
template <class Result>
void ForEachPreparedPairInOrder(const Array<PairVariable>& vars, const ProgressFn& progress, bool namesMatter,
                                const std::string& unequalLine,
                                const std::function<Result(int worker, const PairSeries& pair)>& compute,
                                const std::function<void(const std::string& prefix, const Result& result)>& write);

// Whether ReliableOnly leaves out a result line with this significance text.
bool Unreliable(const std::string& p);

// The working series of a pair of equal sizes: the variables' own values, or
// copies with the pairwise deletions applied when the data set asks for them.
class PairSeries {
 public:
  void Prepare(const PairVariable& a, const PairVariable& b);
  const Array<double>& X() const { return *x_; }
  const Array<double>& Y() const { return *y_; }
  std::int32_t Last() const { return last_; }
  // True when nothing was dropped, so that the series are the variables' own
  // values in their own order and whatever was computed for a variable holds.
  bool Own() const { return own_; }

 private:
  const Array<double>* x_ = nullptr;
  const Array<double>* y_ = nullptr;
  std::int32_t last_ = -1;
  bool own_ = true;
  Array<double> workX_, workY_;
};

template <class Result>
void ForEachPreparedPairInOrder(const Array<PairVariable>& vars, const ProgressFn& progress, bool namesMatter,
                                const std::string& unequalLine,
                                const std::function<Result(int worker, const PairSeries& pair)>& compute,
                                const std::function<void(const std::string& prefix, const Result& result)>& write) {
  std::vector<std::pair<int, int>> pairs;
  ForEachPair({}, [&pairs](int j, int k) { pairs.emplace_back(j, k); });
  const auto computed = [&](long long i) {
    const auto [j, k] = pairs[static_cast<std::size_t>(i)];
    return !(namesMatter && SkippedForNames(vars[j], vars[k])) && vars[j].var.last == vars[k].var.last;
  };
  std::vector<Result> results(pairs.size());
  PairSeries series[2];
  ForEachInOrder(
      static_cast<long long>(pairs.size()),
      [&](int worker, long long i) {
        if (!computed(i)) return;
        const auto [j, k] = pairs[static_cast<std::size_t>(i)];
        series[worker].Prepare(vars[j], vars[k]);
        results[static_cast<std::size_t>(i)] = compute(worker, series[worker]);
      },
      [&](long long i) {
        Report(progress, static_cast<int>(i + 1), static_cast<int>(pairs.size()));
        const auto [j, k] = pairs[static_cast<std::size_t>(i)];
        if (namesMatter && SkippedForNames(vars[j], vars[k])) return;
        const std::string prefix = PairPrefix(vars[j], vars[k]);
        if (!computed(i)) {
          ResultsFile().WriteLn(prefix + unequalLine);
          return;
        }
        write(prefix, results[static_cast<std::size_t>(i)]);
      });
}

}  // namespace tavrel
