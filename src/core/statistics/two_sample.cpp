#include "core/statistics/two_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/base/numbers.h"
#include "core/statistics/decimal_values.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/ranks.h"
#include "core/statistics/report_titles.h"
#include "core/statistics/student_test.h"

namespace tavrel {

namespace {

// The rank sum of the second sample and the tie sum of the two samples ranked
// together. Each sample comes sorted, so a pair costs one merge, not a sort.
struct RankSum {
  double second = 0;
  double ties = 0;
};

// Runs are kept in place of the sorted values while a run holds this many values on average.
constexpr long long kRunsPerValue = 4;

// A sorted sample as runs of equal values: each value once, with its count.
struct ValueRuns {
  Array<double> values;
  Array<std::int32_t> counts;
  bool ordered = true;  // false when an undefined value (NaN), equal to nothing, stands in it
};

ValueRuns RunsOf(const Array<double>& sorted) {
  ValueRuns runs;
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

// A sample counted by decimal, the decimals of a table at one scale: how many
// of its values there are of each whole (value * scale) from lowest on. Each
// decimal is one tie group (DecimalValues), so no two neighbouring values of
// two such samples lie within the tie distance.
struct DecimalCounts {
  long long lowest = 0;
  Array<std::uint32_t> counts;
  // The count of a whole (0 outside the sample's range).
  std::uint32_t Of(long long whole) const {
    const long long place = whole - lowest;
    return place >= 0 && place < counts.Count() ? counts[place] : 0;
  }
  long long Highest() const { return lowest + counts.Count() - 1; }
};

// A sample sorted once for all its pairs: counted by decimal when its values
// are decimals of a few places spread over no more than twice as many wholes
// as it has values (or a few thousand), in no more memory than its sorted
// values would take; else as its runs of equal values when they are few
// (measurements of a few decimals), so that it takes a fraction of the
// memory; else as the sorted values themselves.
struct SortedSample {
  bool byDecimal = false;
  DecimalCounts decimal;  // when byDecimal
  bool byRuns = false;
  ValueRuns runs;       // when byRuns
  Array<double> values;  // when neither
};

// The scale all samples of a table are counted by decimal at: that of the
// most places any of them keeps to, or 0 when none are decimals.
double DecimalScale(const std::vector<DecimalValues>& decimals) {
  int places = -1;
  for (const DecimalValues& d : decimals) places = std::max(places, d.places);
  return places < 0 ? 0 : PowerOfTen(places);
}

SortedSample SortedOnce(const PairVariable& v, const DecimalValues& decimals, double scale) {
  constexpr std::size_t kFewestWholes = 4096;
  const long long count = v.last + 1;
  if (decimals.places >= 0 && count > 0) {
    const ByDecimal by(decimals, scale);
    if (by.wholes <= std::max(2 * static_cast<std::size_t>(count), kFewestWholes)) {
      SortedSample sample;
      sample.byDecimal = true;
      sample.decimal.lowest = static_cast<long long>(by.lowest);
      static_cast<void>((*v.values)[v.last]);  // the values lie in the array
      CountByDecimal(v.values->data(), count, by, sample.decimal.counts);
      return sample;
    }
  }
  Array<double> sorted = v.Copy();
  SortValues(sorted);
  SortedSample sample;
  ValueRuns runs = RunsOf(sorted);
  sample.byRuns = runs.values.Count() * kRunsPerValue <= sorted.Count();
  if (sample.byRuns) {
    sample.runs = std::move(runs);
  } else {
    sample.values = std::move(sorted);
  }
  return sample;
}

class RankSums {
 public:
  // For samples of up to size values in all, counted by decimal at scale.
  RankSums(std::size_t size, double scale) : merged_(size), fromY_(size), scale_(scale) {}

  RankSum Of(const SortedSample& x, const SortedSample& y) {
    if (x.byDecimal && y.byDecimal) return FromDecimals(x.decimal, y.decimal);
    RankSum sum;
    if (x.byRuns && y.byRuns && x.runs.ordered && y.runs.ordered && FromRuns(x.runs, y.runs, sum)) return sum;
    return Merged(Values(x, expandedX_), Values(y, expandedY_));
  }

 private:
  // While no two neighbouring values of the merged samples lie within the tie
  // distance, the tie groups are exactly the runs of equal values, and a pair
  // costs one step per distinct value; the sums are formed group by group as
  // the merged walk forms them, so they are the same to the bit. False when
  // the tie rule has to decide.
  static bool FromRuns(const ValueRuns& x, const ValueRuns& y, RankSum& sum) {
    const double* xv = x.values.data();
    const double* yv = y.values.data();
    const std::int32_t* xc = x.counts.data();
    const std::int32_t* yc = y.counts.data();
    const long long nx = x.values.Count(), ny = y.values.Count();
    long long a = 0, b = 0;
    long long first = 0;  // the position of the group
    RankSum runs;
    double previous = -std::numeric_limits<double>::infinity();
    bool apart = true;
    // One group: a value of x, of y, or of both, and how many of it are in y.
    const auto group = [&](double value, long long count, long long inY) {
      apart &= !(value - previous < 1e-10);
      runs.second += GroupRank(first, count) * inY;
      if (count > 1) runs.ties += TieTerm(count);
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
    sum = runs;
    return true;
  }

  // The groups are the decimals, walked from the lowest whole of either
  // sample to the highest (over each sample alone when they do not meet), the
  // sums formed group by group as FromRuns forms them.
  static RankSum FromDecimals(const DecimalCounts& x, const DecimalCounts& y) {
    RankSum sum;
    long long first = 0;  // the position of the group
    const auto walk = [&](long long from, long long to) {
      for (long long whole = from; whole <= to; ++whole) {
        const long long inY = y.Of(whole), count = x.Of(whole) + inY;
        if (count == 0) continue;
        sum.second += GroupRank(first, count) * inY;
        if (count > 1) sum.ties += TieTerm(count);
        first += count;
      }
    };
    if (x.Highest() < y.lowest) {
      walk(x.lowest, x.Highest());
      walk(y.lowest, y.Highest());
    } else if (y.Highest() < x.lowest) {
      walk(y.lowest, y.Highest());
      walk(x.lowest, x.Highest());
    } else {
      walk(std::min(x.lowest, y.lowest), std::max(x.Highest(), y.Highest()));
    }
    return sum;
  }

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

  // The sorted values of a sample, those kept as runs or counted by decimal
  // written out into expanded.
  const Array<double>& Values(const SortedSample& sample, Array<double>& expanded) const {
    if (!sample.byRuns && !sample.byDecimal) return sample.values;
    expanded.clear();
    if (sample.byRuns) {
      for (long long r = 0; r < sample.runs.values.Count(); ++r)
        expanded.insert(expanded.end(), static_cast<std::size_t>(sample.runs.counts[r]), sample.runs.values[r]);
      return expanded;
    }
    const DecimalCounts& d = sample.decimal;
    for (long long place = 0; place < d.counts.Count(); ++place)
      expanded.insert(expanded.end(), d.counts[place], static_cast<double>(d.lowest + place) / scale_);
    return expanded;
  }

  Array<double> merged_;
  Array<unsigned char> fromY_;
  Array<double> expandedX_, expandedY_;
  double scale_;
};

PairStatistic Samples(int j, int k, std::int32_t n1, std::int32_t n2, PairOutcome outcome) {
  PairStatistic s;
  s.first = j;
  s.second = k;
  s.n = n1;
  s.n2 = n2;
  s.outcome = outcome;
  return s;
}

// The pair loop of the two-sample tests, which take each variable whole:
// compute gives the result of a pair that EqualNamesOnly does not leave out,
// on one of two workers.
void ComputeSamplePairs(const Array<PairVariable>& vars, bool equalNamesOnly, const ProgressFn& progress,
                        const std::function<PairStatistic(int worker, int j, int k)>& compute, const PairSink& take) {
  ComputePairsInOrder(
      static_cast<int>(vars.Count()) - 1, progress,
      [&](int j, int k) { return SkippedForNames(vars[j], vars[k], equalNamesOnly); }, compute, take);
}

// The sizes as the two-sample lines show them.
std::string Sizes(const PairStatistic& s) { return "   " + IntText(s.n, 4) + "  " + IntText(s.n2, 4); }

void Student(const DataSet& data, const Array<PairVariable>& vars, bool equalNamesOnly, const ProgressFn& progress,
             const PairSink& take) {
  Array<double> means, sigmas;
  for (const PairVariable& v : vars) {
    double m = 0, s = 0;
    MeanSigma(*v.values, v.last, data.EmptyValue, m, s);
    means.push_back(m);
    sigmas.push_back(s);
  }
  ComputeSamplePairs(vars, equalNamesOnly, progress, [&](int, int j, int k) {
    const std::int32_t n1 = vars[j].last + 1, n2 = vars[k].last + 1;
    if (SmallerSigma(sigmas[j], sigmas[k]) == 0) return Samples(j, k, n1, n2, PairOutcome::kSigmaZero);
    PairStatistic s = Samples(j, k, n1, n2, PairOutcome::kComputed);
    const StudentTTest test = StudentTest(means[j], sigmas[j], n1, means[k], sigmas[k], n2);
    s.value = test.t;
    s.p = test.p;
    return s;
  }, take);
}

void Wilcoxon(const DataSet& data, const Array<PairVariable>& vars, bool equalNamesOnly, const ProgressFn& progress,
              const PairSink& take) {
  const auto count = static_cast<std::size_t>(vars.Count());
  const std::vector<DecimalValues> decimals = DecimalValuesOfVariables(data, vars);
  const double scale = DecimalScale(decimals);
  Array<SortedSample> sorted(count);
  ForEachVariable(data, static_cast<int>(count), [&](int v) {
    sorted[v] = SortedOnce(vars[v], decimals[static_cast<std::size_t>(v)], scale);
  });
  const std::size_t both = 2 * static_cast<std::size_t>(std::max<std::int32_t>(data.NumObs, 0));
  RankSums rankSums[2] = {RankSums(both, scale), RankSums(both, scale)};  // one per worker
  ComputeSamplePairs(vars, equalNamesOnly, progress, [&](int worker, int j, int k) {
    const std::int32_t n1 = vars[j].last + 1, n2 = vars[k].last + 1;
    if (n1 < 8 && n2 < 8) return Samples(j, k, n1, n2, PairOutcome::kTooFew);
    const RankSum sum = rankSums[worker].Of(sorted[j], sorted[k]);
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
      if (l == 0) return Samples(j, k, n1, n2, PairOutcome::kZeroVariance);
      if (l < 0) return Samples(j, k, n1, n2, PairOutcome::kNegativeVariance);
      z = std::fabs(u - product / 2) / std::sqrt(l);
    }
    PairStatistic s = Samples(j, k, n1, n2, PairOutcome::kComputed);
    s.value = u;
    s.p = PByZ(z, true);
    return s;
  }, take);
}

std::optional<std::string> StudentText(const PairStatistic& s, bool reliableOnly) {
  if (s.outcome == PairOutcome::kSigmaZero) return "      Ошибка: @=0";
  if (Unreliable(s.p, reliableOnly)) return std::nullopt;
  return Sizes(s) + "  " + FixedText(s.value, 8, 3) + "     " + s.p;
}

std::optional<std::string> WilcoxonText(const PairStatistic& s, bool reliableOnly) {
  switch (s.outcome) {
    case PairOutcome::kTooFew:
      return Sizes(s) + "      Ошибка: n<8";
    case PairOutcome::kZeroVariance:
      return "     Ошибка: x/0";
    case PairOutcome::kNegativeVariance:
      return "     Ошибка: sqrt(-x)";
    default:
      if (Unreliable(s.p, reliableOnly)) return std::nullopt;
      return Sizes(s) + "      " + FixedText(s.value, 7, 2) + "     " + s.p;
  }
}

}  // namespace

PairTable StudentTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress) {
  PairTable table;
  Student(data, ReadVariablesInForce(data), equalNamesOnly, progress, Into(table));
  return table;
}

PairTable WilcoxonTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress) {
  PairTable table;
  Wilcoxon(data, ReadVariablesInForce(data), equalNamesOnly, progress, Into(table));
  return table;
}

void StudentStat(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                 const ProgressFn& progress) {
  TitleStudent(out);
  const Array<PairVariable> vars = ReadVariablesInForce(data);
  Student(data, vars, options.EqualNamesOnly, progress,
          LineWriter(out, vars, [&options](const PairStatistic& s) { return StudentText(s, options.ReliableOnly); }));
  EndTable(out);
}

void WilcoxonStat(ResultsFileWriter& out, const DataSet& data, const StatOptions& options,
                  const ProgressFn& progress) {
  TitleWilcoxon(out);
  const Array<PairVariable> vars = ReadVariablesInForce(data);
  Wilcoxon(data, vars, options.EqualNamesOnly, progress,
           LineWriter(out, vars, [&options](const PairStatistic& s) { return WilcoxonText(s, options.ReliableOnly); }));
  EndTable(out);
}

}  // namespace tavrel
