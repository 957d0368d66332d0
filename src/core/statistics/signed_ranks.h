#pragma once
// The signed-rank sums of a pair of series, for the paired rank test.
#include <memory>

#include "core/statistics/decimal_values.h"

namespace tavrel {

// T+ and T-, the rank sums of the positive and of the negative differences
// (the second one negative), and the number of differences that are not 0.
// The sizes of the differences are ranked as RankValues ranks values; a
// difference that is not a number ranks after all others, as a negative one.
struct SignedRankSums {
  double plus = 0, minus = 0;
  long long count = 0;
};

// Ranks the sizes of a pair's differences. Each difference that is not 0 is one
// key: the bits of its size (a positive double orders as its bits) shifted
// left, and 1 in the lowest bit when it is positive. The keys are counted into
// buckets by their size, in proportion to it over the sizes a sample of the
// differences spans (widened), one bucket per difference (after a pair whose
// sizes filled few buckets, sixteen to each filled one), as the pair is read
// once; for sizes written with a few decimals a bucket then holds one size (up
// to rounding noise) or none, so that its keys form one tie group, or join
// the group before, without being sorted. The keys of the few buckets that hold more
// than one group are sorted and ranked one by one; when they are many, all
// keys are sorted and ranked with ForEachTieGroup, as are few keys and
// undefined or infinite sizes.
//
// When both series are decimals of a few places (DecimalValues), differences of
// one size in decimals differ by less than the tie distance and those of
// different sizes by far more, so each size in decimals is one tie group: the
// differences are counted straight into a table indexed by that size, when the
// spread of the values keeps the table small.
//
// The groups, their ranks and the order of the sums are the same either way.
class SignedRanker {
 public:
  SignedRanker();
  ~SignedRanker();
  // The sums of the differences x[i] - y[i], i < n. xs and ys, when given,
  // hold for every value of x and of y (found, say, for the whole series a
  // pair's values are taken from).
  SignedRankSums Rank(const double* x, const double* y, long long n, const DecimalValues& xs = {},
                      const DecimalValues& ys = {});

 private:
  class State;
  std::unique_ptr<State> state_;
};

}  // namespace tavrel
