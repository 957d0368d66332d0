#include "core/statistics/paired_tests.h"

#include <cmath>

#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/signed_ranks.h"
#include "core/statistics/report_titles.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

// The line of the paired tests for variables of different sizes.
const char* const kUnequalArrays = "     Ошибка: неравные массивы";

// The pair loop of the paired tests.
void ForEachPairedSeries(const ProgressFn& progress,
                         const std::function<void(const std::string& prefix, const PairSeries& pair)>& body) {
  ForEachPreparedPair(ReadVariablesInForce(), progress, true, kUnequalArrays,
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
  struct Ranked {
    SignedRankSums sums;
    long long n = 0;
  };
  SignedRanker rankers[2];  // one per worker
  ForEachPreparedPairInOrder<Ranked>(
      ReadVariablesInForce(), progress, true, kUnequalArrays,
      [&rankers](int worker, const PairSeries& pair) {
        const long long n = pair.Last() + 1;
        if (n > pair.X().Count() || n > pair.Y().Count())
          ThrowIndexError(pair.Last(), std::min(pair.X().size(), pair.Y().size()));
        return Ranked{rankers[worker].Rank(pair.X().data(), pair.Y().data(), n), n};
      },
      [](const std::string& prefix, const Ranked& ranked) {
        const auto [plus, minus, m] = ranked.sums;
        if (m == 0) {
          IdenticalArrays(prefix);
          return;
        }
        const double t = plus < std::fabs(minus) ? plus : std::fabs(minus);
        const double count = static_cast<double>(m);
        const double mean = count * (count + 1) / 4;
        const double variance = count * (count + 1) * (2 * count + 1) / 24;
        const double z = std::fabs(t - mean) / std::sqrt(variance);
        const PText p = PByZ(z, true);
        if (Unreliable(p)) return;
        ResultsFile().WriteLn(prefix + "   " + IntText(ranked.n, 4) + "    " + FixedText(z, 7, 2) + "     " + p);
      });
  EndTable();
}

}  // namespace tavrel
