#include "statistics/paired_tests.h"

#include <bit>
#include <cmath>

#include "data/numbers.h"
#include "data/results_file.h"
#include "statistics/p_text.h"
#include "statistics/pair_loop.h"
#include "statistics/ranks.h"
#include "statistics/report_titles.h"
#include "statistics/statistics_run.h"

namespace tavrel {

namespace {

// The pair loop of the paired tests; the line for variables of different sizes.
void ForEachPairedSeries(const ProgressFn& progress,
                         const std::function<void(const std::string& prefix, const PairSeries& pair)>& body) {
  ForEachPreparedPair(ReadVariablesInForce(), progress, true, "     Ошибка: неравные массивы",
                      [&body](int, int, const std::string& prefix, const PairSeries& pair) { body(prefix, pair); });
}

// The line of a pair whose differences are all 0, unless ReliableOnly leaves it out.
void IdenticalArrays(const std::string& prefix) {
  if (!StatConfig().ReliableOnly) ResultsFile().WriteLn(prefix + "     Ошибка: одинаковые массивы");
}

}  // namespace

void PairStudentStat(const ProgressFn& progress) {
  TitlePairStudent();
  ForEachPairedSeries(progress, [](const std::string& prefix, const PairSeries& pair) {
    const Array<double>& x = pair.X();
    const Array<double>& y = pair.Y();
    double s = 0, s2 = 0;
    for (std::int32_t i = 0; i <= pair.Last(); ++i) {
      const double d = x[i] - y[i];
      s += d;
      s2 += d * d;
    }
    if (s2 == 0) {
      IdenticalArrays(prefix);
      return;
    }
    const std::int32_t n = pair.Last() + 1;
    const double w = n * s2 - s * s;
    const double t = std::fabs(s) / std::sqrt(w / (n - 1));
    const PText p = PByT(n, t, true);
    if (Unreliable(p)) return;
    ResultsFile().WriteLn(prefix + "   " + IntText(n, 4) + "  " + FixedText(t, 8, 3) + "     " + p);
  });
  EndTable();
}

void PairWilcoxonStat(const ProgressFn& progress) {
  TitlePairWilcoxon();
  // Each difference that is not 0 as one key: the bits of its size (a positive
  // double orders as its bits) shifted left, and 1 in the lowest bit when it is
  // positive. Sorting the keys ranks the sizes and keeps each one's sign.
  Array<std::uint64_t> keys;
  const auto size = [&keys](long long i) { return std::bit_cast<double>(keys[i] >> 1); };
  ForEachPairedSeries(progress, [&](const std::string& prefix, const PairSeries& pair) {
    const Array<double>& x = pair.X();
    const Array<double>& y = pair.Y();
    keys.clear();
    for (std::int32_t i = 0; i <= pair.Last(); ++i) {
      const double d = x[i] - y[i];
      if (d != 0) keys.push_back(std::bit_cast<std::uint64_t>(std::fabs(d)) << 1 | (d > 0 ? 1 : 0));
    }
    if (keys.empty()) {
      IdenticalArrays(prefix);
      return;
    }
    SortKeys(keys);
    double plus = 0, minus = 0;  // T+ and T-
    ForEachTieGroup(keys.Count(), size, [&](long long first, long long count) {
      long long positive = 0;
      for (long long q = first; q < first + count; ++q) positive += keys[q] & 1;
      const double rank = GroupRank(first, count);
      plus += rank * positive;
      minus -= rank * (count - positive);
    });
    const double t = plus < std::fabs(minus) ? plus : std::fabs(minus);
    const double m = static_cast<double>(keys.Count());
    const double mean = m * (m + 1) / 4;
    const double variance = m * (m + 1) * (2 * m + 1) / 24;
    const double z = std::fabs(t - mean) / std::sqrt(variance);
    const PText p = PByZ(z, true);
    if (Unreliable(p)) return;
    ResultsFile().WriteLn(prefix + "   " + IntText(pair.Last() + 1, 4) + "    " + FixedText(z, 7, 2) + "     " + p);
  });
  EndTable();
}

}  // namespace tavrel
