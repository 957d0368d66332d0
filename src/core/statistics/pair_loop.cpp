#include "core/statistics/pair_loop.h"

#include "core/data/results_file.h"
#include "core/data/text_codec.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/pair_deletion.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

Array<PairVariable> ReadVariablesInForce() {
  Array<PairVariable> vars;
  for (int i = 0; i <= Data().LastVar; ++i) {
    PairVariable v{GetVariable(Data(), i), {}};
    v.padded = v.var.name;
    PadName(v.padded);
    vars.push_back(std::move(v));
  }
  return vars;
}

void ForEachPair(const ProgressFn& progress, const std::function<void(int j, int k)>& body) {
  const int lastVar = Data().LastVar;
  const int maximum = (lastVar + 1) * lastVar / 2;
  int pair = 0;
  for (int j = 0; j <= lastVar; ++j) {
    for (int k = j + 1; k <= lastVar; ++k) {
      Report(progress, ++pair, maximum);
      body(j, k);
    }
  }
}

std::string PairPrefix(const PairVariable& x, const PairVariable& y) {
  return " " + AlignRight(x.padded, 8) + " " + AlignRight(y.padded, 8);
}

bool SkippedForNames(const PairVariable& x, const PairVariable& y) {
  return StatConfig().EqualNamesOnly && x.var.name != y.var.name;
}

void ForEachPreparedPair(
    const Array<PairVariable>& vars, const ProgressFn& progress, bool namesMatter, const std::string& unequalLine,
    const std::function<void(int j, int k, const std::string& prefix, const PairSeries& pair)>& body) {
  PairSeries pair;
  ForEachPair(progress, [&](int j, int k) {
    if (namesMatter && SkippedForNames(vars[j], vars[k])) return;
    const std::string prefix = PairPrefix(vars[j], vars[k]);
    if (vars[j].var.last != vars[k].var.last) {
      ResultsFile().WriteLn(prefix + unequalLine);
      return;
    }
    pair.Prepare(vars[j], vars[k]);
    body(j, k, prefix, pair);
  });
}

bool Unreliable(const std::string& p) { return StatConfig().ReliableOnly && p == ">0.05"; }

void PairSeries::Prepare(const PairVariable& a, const PairVariable& b) {
  const DataSet& d = Data();
  last_ = a.var.last;
  own_ = true;
  if (!d.PairwiseMissing && !d.PairwiseOutliers) {
    x_ = &a.var.values;
    y_ = &b.var.values;
    return;
  }
  workX_ = a.var.values;
  workY_ = b.var.values;
  if (d.PairwiseMissing) DeletePairsEmpty(workX_, workY_, last_);
  if (d.PairwiseOutliers) DeletePairsOutliers(workX_, workY_, last_);
  own_ = last_ == a.var.last;
  x_ = &workX_;
  y_ = &workY_;
}

}  // namespace tavrel
