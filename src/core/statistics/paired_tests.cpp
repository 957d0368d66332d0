#include "core/statistics/paired_tests.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/numbers.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_products.h"
#include "core/statistics/report_titles.h"
#include "core/statistics/signed_ranks.h"

namespace tavrel {

namespace {

PairStatistic Identical() {
  PairStatistic s;
  s.outcome = PairOutcome::kIdentical;
  return s;
}

// The line of a pair that has no computed result, or of a computed one
// (given by computed); nothing for what ReliableOnly leaves out.
std::optional<std::string> PairedText(const PairStatistic& s, bool reliableOnly,
                                      const std::function<std::string(const PairStatistic& s)>& computed) {
  switch (s.outcome) {
    case PairOutcome::kUnequalSizes:
      return "     Ошибка: неравные массивы";
    case PairOutcome::kIdentical:
      if (reliableOnly) return std::nullopt;
      return "     Ошибка: одинаковые массивы";
    default:
      if (Unreliable(s.p, reliableOnly)) return std::nullopt;
      return computed(s);
  }
}

// The Student test of a pair from the sums of its n differences and of their squares.
PairStatistic PairStudentOf(const DifferenceSums& sums, std::int32_t n) {
  const double s = sums.sum, s2 = sums.squares;
  if (s2 == 0) return Identical();
  PairStatistic result;
  result.n = n;
  const double w = n * s2 - s * s;
  result.value = std::fabs(s) / std::sqrt(w / (n - 1));
  result.p = PByT(n, result.value, true);
  return result;
}

void PairStudent(const DataSet& data, const Array<PairVariable>& vars, bool equalNamesOnly, const ProgressFn& progress,
                 const PairSink& take) {
  const PairDeletion deletion = PairDeletionOf(data);
  if (!equalNamesOnly && EveryPairOwn(vars, deletion)) {
    // The sums of all pairs are made together, reading the table a few times
    // rather than twice a pair.
    const int pairs = static_cast<int>(vars.Count() * (vars.Count() - 1) / 2);
    const std::int32_t n = vars[0].last + 1;
    const std::vector<DifferenceSums> sums =
        PairDifferenceSums(ColumnsOf(vars), n, [&](int finished) { Report(progress, finished, pairs); });
    TakeEveryPair(
        static_cast<int>(vars.Count()), [&](int, int, std::size_t place) { return PairStudentOf(sums[place], n); },
        take);
    return;
  }
  ComputePreparedPairs(
      vars, deletion, equalNamesOnly, progress,
      [](int, int, int, const PairSeries& pair) {
        const Array<double>& x = pair.X();
        const Array<double>& y = pair.Y();
        DifferenceSums sums;
        for (std::int32_t i = 0; i <= pair.Last(); ++i) {
          const double d = x[i] - y[i];
          sums.sum += d;
          sums.squares += d * d;
        }
        return PairStudentOf(sums, pair.Last() + 1);
      },
      take);
}

void PairWilcoxon(const DataSet& data, const Array<PairVariable>& vars, bool equalNamesOnly, const ProgressFn& progress,
                  const PairSink& take) {
  const std::vector<DecimalValues> decimals = DecimalValuesOfVariables(data, vars);
  SignedRanker rankers[2];  // one per worker
  ComputePreparedPairs(
      vars, PairDeletionOf(data), equalNamesOnly, progress,
      [&rankers, &decimals](int worker, int j, int k, const PairSeries& pair) {
        const long long n = pair.Last() + 1;
        if (n > pair.X().Count() || n > pair.Y().Count())
          ThrowIndexError(pair.Last(), std::min(pair.X().size(), pair.Y().size()));
        const auto [plus, minus, m] = rankers[worker].Rank(pair.X().data(), pair.Y().data(), n,
                                                           decimals[static_cast<std::size_t>(j)],
                                                           decimals[static_cast<std::size_t>(k)]);
        if (m == 0) return Identical();
        PairStatistic result;
        result.n = static_cast<std::int32_t>(n);
        const double t = plus < std::fabs(minus) ? plus : std::fabs(minus);
        const double count = static_cast<double>(m);
        const double mean = count * (count + 1) / 4;
        const double variance = count * (count + 1) * (2 * count + 1) / 24;
        result.value = std::fabs(t - mean) / std::sqrt(variance);
        result.p = PByZ(result.value, true);
        return result;
      },
      take);
}

}  // namespace

PairTable PairStudentTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress) {
  PairTable table;
  PairStudent(data, ReadVariablesInForce(data), equalNamesOnly, progress, Into(table));
  return table;
}

PairTable PairWilcoxonTests(const DataSet& data, bool equalNamesOnly, const ProgressFn& progress) {
  PairTable table;
  PairWilcoxon(data, ReadVariablesInForce(data), equalNamesOnly, progress, Into(table));
  return table;
}

void PairStudentStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                     const ProgressFn& progress) {
  TitlePairStudent(out);
  WritePreparedPairLines(
      out, data,
      [&](const Array<PairVariable>& vars, const PairSink& take) {
        PairStudent(data, vars, options.EqualNamesOnly, progress, take);
      },
      [&options](const PairStatistic& s) {
        return PairedText(s, options.ReliableOnly, [](const PairStatistic& r) {
          return "   " + IntText(r.n, 4) + "  " + FixedText(r.value, 8, 3) + "     " + r.p;
        });
      });
  EndTable(out);
}

void PairWilcoxonStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options,
                      const ProgressFn& progress) {
  TitlePairWilcoxon(out);
  WritePreparedPairLines(
      out, data,
      [&](const Array<PairVariable>& vars, const PairSink& take) {
        PairWilcoxon(data, vars, options.EqualNamesOnly, progress, take);
      },
      [&options](const PairStatistic& s) {
        return PairedText(s, options.ReliableOnly, [](const PairStatistic& r) {
          return "   " + IntText(r.n, 4) + "    " + FixedText(r.value, 7, 2) + "     " + r.p;
        });
      });
  EndTable(out);
}

}  // namespace tavrel
