#include "core/statistics/two_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/ranks.h"
#include "core/statistics/report_titles.h"
#include "core/statistics/student_test.h"

namespace tavrel {

namespace {

std::string Sizes(std::int32_t n1, std::int32_t n2) { return "   " + IntText(n1, 4) + "  " + IntText(n2, 4); }

// The rank sum of the second sample and the tie sum of the two samples ranked
// together. Each sample comes sorted, so a pair costs one merge, not a sort.
struct RankSum {
  double second = 0;
  double ties = 0;
};

// A sorted sample as runs of equal values: each value once, with its count.
struct ValueRuns {
  Array<double> values;
  Array<std::int32_t> counts;
  long long total = 0;  // the number of values
  bool ordered = true;  // false when an undefined value (NaN), equal to nothing, stands in it
};

ValueRuns RunsOf(const Array<double>& sorted) {
  ValueRuns runs;
  runs.total = sorted.Count();
  for (const double v : sorted) {
    if (std::isnan(v)) runs.ordered = false;
    if (!runs.values.empty() && runs.values.back() == v) {
      ++runs.counts.back();
    } else {
      runs.values.push_back(v);
      runs.counts.push_back(1);
    }
  }
  return runs;
}

class RankSums {
 public:
  explicit RankSums(std::size_t size) : merged_(size), fromY_(size) {}

  RankSum Of(const Array<double>& x, const Array<double>& y, const ValueRuns& xRuns, const ValueRuns& yRuns) {
    RankSum sum;
    if (xRuns.ordered && yRuns.ordered && FromRuns(xRuns, yRuns, sum)) return sum;
    return Merged(x, y);
  }

 private:
  // While no two neighbouring values of the merged samples lie within the tie
  // distance, the tie groups are exactly the runs of equal values, and a pair
  // costs one step per distinct value. False when the tie rule has to decide,
  // or when the samples are so large that the sums, kept here as whole
  // numbers, might no longer be exact as doubles.
  static bool FromRuns(const ValueRuns& x, const ValueRuns& y, RankSum& sum) {
    const double* xv = x.values.data();
    const double* yv = y.values.data();
    const std::int32_t* xc = x.counts.data();
    const std::int32_t* yc = y.counts.data();
    const long long nx = x.values.Count(), ny = y.values.Count();
    if (x.total + y.total > kExactLimit) return false;
    long long a = 0, b = 0;
    long long first = 0;        // the position of the group
    long long twiceSecond = 0;  // twice the rank sum of y: a rank is first + (count + 1) / 2
    long long twiceTies = 0;    // the sum of count^3 - count
    double previous = -std::numeric_limits<double>::infinity();
    bool apart = true;
    // One group: a value of x, of y, or of both, and how many of it are in y.
    const auto group = [&](double value, long long count, long long inY) {
      apart &= !(value - previous < 1e-10);
      twiceSecond += (2 * first + count + 1) * inY;
      twiceTies += count * count * count - count;
      first += count;
      previous = value;
    };
    while (a < nx && b < ny) {
      const double vx = xv[a], vy = yv[b];
      const bool takeX = !(vy < vx), takeY = !(vx < vy);
      const long long inY = takeY * yc[b];
      group(std::min(vx, vy), takeX * xc[a] + inY, inY);
      a += takeX;
      b += takeY;
    }
    for (; a < nx; ++a) group(xv[a], xc[a], 0);
    for (; b < ny; ++b) group(yv[b], yc[b], yc[b]);
    if (!apart) return false;
    sum.second = static_cast<double>(twiceSecond) / 2;
    sum.ties = static_cast<double>(twiceTies) / 2;
    return true;
  }

  // Up to this many values every sum above is a whole number (or a half)
  // below 2^53, so the doubles the group-by-group walk forms are exact too.
  static constexpr long long kExactLimit = 131072;

  RankSum Merged(const Array<double>& x, const Array<double>& y) {
    const long long nx = x.Count(), ny = y.Count(), n = nx + ny;
    for (long long i = 0, a = 0, b = 0; i < n; ++i) {
      const bool takeY = a == nx || (b < ny && y[b] < x[a]);
      merged_[i] = takeY ? y[b++] : x[a++];
      fromY_[i] = takeY;
    }
    RankSum sum;
    ForEachTieGroup(
        n, [this](long long i) { return merged_[i]; },
        [&](long long first, long long count) {
          long long inY = 0;
          for (long long q = first; q < first + count; ++q) inY += fromY_[q];
          sum.second += GroupRank(first, count) * inY;
          if (count > 1) sum.ties += TieTerm(count);
        });
    return sum;
  }

  Array<double> merged_;
  Array<unsigned char> fromY_;
};

}  // namespace

void StudentStat(const ProgressFn& progress) {
  ResultsFileWriter& out = ResultsFile();
  TitleStudent();
  const Array<PairVariable> vars = ReadVariablesInForce();
  Array<double> means, sigmas;
  for (const PairVariable& v : vars) {
    double m = 0, s = 0;
    MeanSigma(v.var.values, v.var.last, m, s);
    means.push_back(m);
    sigmas.push_back(s);
  }
  ForEachPair(progress, [&](int j, int k) {
    if (SkippedForNames(vars[j], vars[k])) return;
    const std::string prefix = PairPrefix(vars[j], vars[k]);
    const std::int32_t n1 = vars[j].var.last + 1, n2 = vars[k].var.last + 1;
    if (SmallerSigma(sigmas[j], sigmas[k]) == 0) {
      out.WriteLn(prefix + "      Ошибка: @=0");
      return;
    }
    const StudentTTest test = StudentTest(means[j], sigmas[j], n1, means[k], sigmas[k], n2);
    if (Unreliable(test.p)) return;
    out.WriteLn(prefix + Sizes(n1, n2) + "  " + FixedText(test.t, 8, 3) + "     " + test.p);
  });
  EndTable();
}

void WilcoxonStat(const ProgressFn& progress) {
  ResultsFileWriter& out = ResultsFile();
  TitleWilcoxon();
  const Array<PairVariable> vars = ReadVariablesInForce();
  Array<Array<double>> sorted;
  Array<ValueRuns> runs;
  for (const PairVariable& v : vars) {
    sorted.push_back(v.var.values);
    SortValues(sorted.back());
    runs.push_back(RunsOf(sorted.back()));
  }
  RankSums rankSums(2 * static_cast<std::size_t>(std::max<std::int32_t>(Data().NumObs, 0)));
  ForEachPair(progress, [&](int j, int k) {
    if (SkippedForNames(vars[j], vars[k])) return;
    const std::string prefix = PairPrefix(vars[j], vars[k]);
    const std::int32_t n1 = vars[j].var.last + 1, n2 = vars[k].var.last + 1;
    if (n1 < 8 && n2 < 8) {
      out.WriteLn(prefix + Sizes(n1, n2) + "      Ошибка: n<8");
      return;
    }
    const RankSum sum = rankSums.Of(sorted[j], sorted[k], runs[j], runs[k]);
    const double n = static_cast<double>(n1) + n2;
    const double product = static_cast<double>(n1) * n2;
    const double u2 = product + n2 * (n2 + 1.0) / 2 - sum.second;
    const double u = u2 < product - u2 ? u2 : product - u2;
    double z = 0;
    if (sum.ties == 0) {
      z = std::fabs(u - product / 2) / std::sqrt(product * (n + 1) / 12);
    } else {
      // The tie sum holds (g^3 - g) / 2 per group; the variance needs (g^3 - g) / 12.
      const double l = product / (n * (n - 1)) * ((n * n * n - n) / 12 - 2 * sum.ties / 12);
      if (l == 0) {
        out.WriteLn(prefix + "     Ошибка: x/0");
        return;
      }
      if (l < 0) {
        out.WriteLn(prefix + "     Ошибка: sqrt(-x)");
        return;
      }
      z = std::fabs(u - product / 2) / std::sqrt(l);
    }
    const PText p = PByZ(z, true);
    if (Unreliable(p)) return;
    out.WriteLn(prefix + Sizes(n1, n2) + "      " + FixedText(u, 7, 2) + "     " + p);
  });
  EndTable();
}

}  // namespace tavrel
