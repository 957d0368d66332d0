#include "core/statistics/correlation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/base/numbers.h"
#include "core/base/ordered_parallel.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_products.h"
#include "core/statistics/ranks.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

namespace {

struct MeanAndSigma {
  double mean = 0, sigma = 0;
};

// The ranks of values 0..last of a series and their tie sum. A rank is a
// whole number or a half, so each is kept doubled, as a whole number, in half
// the memory.
struct Ranked {
  Array<std::uint32_t> twice;
  double ties = 0;
};

// Ranks values 0..last into r, in the memory r and scratch already hold.
void RankInto(const Array<double>& values, std::int32_t last, Ranked& r, RankScratch& scratch) {
  if (last >= values.Count()) ThrowIndexError(last, values.size());
  r.ties = TwiceRanks(values.data(), last + 1, r.twice, scratch);
}

PairStatistic WithOutcome(PairOutcome outcome, std::int32_t n = 0, double value = 0) {
  PairStatistic s;
  s.outcome = outcome;
  s.n = n;
  s.value = value;
  return s;
}

// The coefficient of a pair from the sum of its products of deviations.
PairStatistic PearsonOf(double products, std::int32_t n, const MeanAndSigma& mx, const MeanAndSigma& my) {
  if (mx.sigma == 0 || my.sigma == 0) return WithOutcome(PairOutcome::kSigmaZero);
  PairStatistic s = WithOutcome(PairOutcome::kComputed, n + 1, products / n / (mx.sigma * my.sigma));
  const double r = s.value;
  s.p = "<0.001";
  if (r != 1) {
    const double size = s.n > 100 ? s.n : s.n - 2;
    s.t = r * std::sqrt(size) / std::sqrt(std::fabs(1 - r * r));
    s.p = PByT(s.n - 2, std::fabs(s.t), true);
  }
  return s;
}

void Pearson(const DataSet& data, const Array<PairVariable>& vars, const ProgressFn& progress, const PairSink& take) {
  const double empty = data.EmptyValue;
  Array<MeanAndSigma> own(vars.size());
  ForEachVariable(data, static_cast<int>(vars.Count()),
                  [&](int v) { MeanSigma(*vars[v].values, vars[v].last, empty, own[v].mean, own[v].sigma); });
  const PairDeletion deletion = PairDeletionOf(data);
  if (EveryPairOwn(vars, deletion)) {
    // The sums of all pairs are made together, reading the table a few times
    // rather than twice a pair.
    std::vector<double> means;
    for (const MeanAndSigma& m : own) means.push_back(m.mean);
    const std::int32_t n = vars[0].last;
    const int pairs = static_cast<int>(vars.Count() * (vars.Count() - 1) / 2);
    const std::vector<double> products =
        PairProductSums(ColumnsOf(vars), means, n + 1, [&](int finished) { Report(progress, finished, pairs); });
    TakeEveryPair(
        static_cast<int>(vars.Count()),
        [&](int j, int k, std::size_t place) { return PearsonOf(products[place], n, own[j], own[k]); }, take);
    return;
  }
  ComputePreparedPairs(
      vars, deletion, false, progress,
      [&](int, int j, int k, const PairSeries& pair) {
        const std::int32_t n = pair.Last();
        const Array<double>& x = pair.X();
        const Array<double>& y = pair.Y();
        MeanAndSigma mx = own[j], my = own[k];
        if (!pair.Own()) {
          MeanSigma(x, n, empty, mx.mean, mx.sigma);
          MeanSigma(y, n, empty, my.mean, my.sigma);
        }
        if (mx.sigma == 0 || my.sigma == 0) return WithOutcome(PairOutcome::kSigmaZero);
        double products = 0;
        for (std::int32_t i = 0; i <= n; ++i) products += (x[i] - mx.mean) * (y[i] - my.mean);
        return PearsonOf(products, n, mx, my);
      },
      take);
}

// The sums of squared rank differences of rx[0..3] each with ry over n + 1
// ranks, four pairs side by side so that no addition waits for the one
// before; each sum is added in the order of the ranks, as one pair alone
// would add it. The difference is worked out from the doubled ranks: every
// number there is exact.
void SquaredRankDifferences(const Ranked* const rx[4], const Ranked& ry, std::int32_t n, double d[4]) {
  const std::uint32_t* x0 = rx[0]->twice.data();
  const std::uint32_t* x1 = rx[1]->twice.data();
  const std::uint32_t* x2 = rx[2]->twice.data();
  const std::uint32_t* x3 = rx[3]->twice.data();
  const std::uint32_t* y = ry.twice.data();
  for (const Ranked* r : {rx[0], rx[1], rx[2], rx[3], &ry})
    if (n >= r->twice.Count()) ThrowIndexError(n, r->twice.size());
  double d0 = 0, d1 = 0, d2 = 0, d3 = 0;
  for (std::int32_t i = 0; i <= n; ++i) {
    const double yi = static_cast<double>(y[i]);
    const double e0 = (static_cast<double>(x0[i]) - yi) / 2;
    const double e1 = (static_cast<double>(x1[i]) - yi) / 2;
    const double e2 = (static_cast<double>(x2[i]) - yi) / 2;
    const double e3 = (static_cast<double>(x3[i]) - yi) / 2;
    d0 += e0 * e0;
    d1 += e1 * e1;
    d2 += e2 * e2;
    d3 += e3 * e3;
  }
  d[0] = d0;
  d[1] = d1;
  d[2] = d2;
  d[3] = d3;
}

// Spearman's rho of a pair of n + 1 ranks from the sum d of their squared
// differences and the tie sums, with its t test.
PairStatistic SpearmanOf(double d, double xTies, double yTies, std::int32_t n) {
  const std::int32_t count = n + 1;
  const double size = count;
  const double q = size * size * size - size;
  const double ties = xTies + yTies;
  double rho = 0;
  if (xTies != 0 || yTies != 0) {
    if (q == ties) return WithOutcome(PairOutcome::kTiedRanks, count);
    rho = 1 - 6 * d / (q - ties);
  } else {
    rho = 1 - 6 * d / q;
  }
  PairStatistic s = WithOutcome(PairOutcome::kComputed, count, rho);
  s.p = "<0.001";
  if (rho != 1) {
    const double v = 1 - rho * rho;
    if (v <= 0) return WithOutcome(PairOutcome::kNoTStatistic, count, rho);
    s.t = std::fabs(rho) * std::sqrt(size - 2) / std::sqrt(v);
    s.p = PByT(count - 2, s.t, true);
  }
  return s;
}

// The ranks of a table of long variables are not all kept: they are worked
// out for a block of rows at a time, and those of each later variable again
// for each block, so that the analysis stays within about a quarter of the
// table's memory beyond it.
void Spearman(const DataSet& data, const Array<PairVariable>& vars, std::size_t keptRanksBytes,
              const ProgressFn& progress, const PairSink& take) {
  long long longest = 1;
  for (const PairVariable& v : vars) longest = std::max<long long>(longest, v.last + 1);
  const auto blockRows = static_cast<int>(std::clamp<long long>(
      static_cast<long long>(keptRanksBytes / sizeof(std::uint32_t)) / longest, 1, std::max<long long>(1, vars.Count())));
  const PairDeletion deletion = PairDeletionOf(data);
  // The ranks of the block's rows (row j's at j - blockFirst), and of the
  // column each worker is on, each in memory that is used again and again.
  Array<Ranked> rows(static_cast<std::size_t>(blockRows));
  int blockFirst = 0, blockEnd = 0;
  RankScratch scratch[2];
  Ranked column[2];
  int columnOf[2] = {-1, -1};
  Ranked worked[2][2];
  PairSeries series[2];
  std::vector<int> own[2];  // the places of a column's rows whose pairs keep their own values
  const auto startBlock = [&](int first, int end) {
    ForEachInOrder(
        end - first,
        [&](int worker, long long i) {
          RankInto(*vars[first + i].values, vars[first + i].last, rows[i], scratch[worker]);
        },
        [](long long) {});
    blockFirst = first;
    blockEnd = end;
  };
  ComputePairsByColumns(vars, blockRows, progress, startBlock,
                        [&](int worker, int k, const std::vector<int>& rowsOfK, PairStatistic* out) {
    const std::int32_t n = vars[k].last;
    // Pairs that dropped values rank what they kept.
    own[worker].clear();
    for (std::size_t i = 0; i < rowsOfK.size(); ++i) {
      series[worker].Prepare(vars[rowsOfK[i]], vars[k], deletion);
      if (series[worker].Own()) {
        own[worker].push_back(static_cast<int>(i));
        continue;
      }
      const std::int32_t kept = series[worker].Last();
      RankInto(series[worker].X(), kept, worked[worker][0], scratch[worker]);
      RankInto(series[worker].Y(), kept, worked[worker][1], scratch[worker]);
      const Ranked* rx[4] = {&worked[worker][0], &worked[worker][0], &worked[worker][0], &worked[worker][0]};
      double d[4];
      SquaredRankDifferences(rx, worked[worker][1], kept, d);
      out[i] = SpearmanOf(d[0], worked[worker][0].ties, worked[worker][1].ties, kept);
    }
    if (own[worker].empty()) return;
    // The others, with the variables' own ranks, four rows at a time.
    const Ranked* ry = &column[worker];
    if (k < blockEnd) {
      ry = &rows[k - blockFirst];
    } else if (columnOf[worker] != k) {
      RankInto(*vars[k].values, n, column[worker], scratch[worker]);
      columnOf[worker] = k;
    }
    const std::vector<int>& places = own[worker];
    for (std::size_t g = 0; g < places.size(); g += 4) {
      const Ranked* rx[4];
      for (std::size_t q = 0; q < 4; ++q)
        rx[q] = &rows[rowsOfK[static_cast<std::size_t>(places[std::min(g + q, places.size() - 1)])] - blockFirst];
      double d[4];
      SquaredRankDifferences(rx, *ry, n, d);
      for (std::size_t q = 0; q < 4 && g + q < places.size(); ++q)
        out[places[g + q]] = SpearmanOf(d[q], rx[q]->ties, ry->ties, n);
    }
  }, take);
}

std::optional<std::string> PearsonText(const PairStatistic& s, bool reliableOnly) {
  switch (s.outcome) {
    case PairOutcome::kUnequalSizes:
      return "    Ошибка: неравные массивы";
    case PairOutcome::kSigmaZero:
      return "    Ошибка: @=0";
    default:
      if (Unreliable(s.p, reliableOnly)) return std::nullopt;
      return "   " + IntText(s.n, 4) + "    " + FixedText(s.value, 6, 3) + "      " + s.p;
  }
}

std::optional<std::string> SpearmanText(const PairStatistic& s, bool reliableOnly) {
  switch (s.outcome) {
    case PairOutcome::kUnequalSizes:
      return "     Ошибка: неравные массивы";
    case PairOutcome::kTiedRanks:
      return "   " + IntText(s.n, 4) + "     ошибка связанных рангов";
    case PairOutcome::kNoTStatistic:
      return "   " + IntText(s.n, 4) + "  " + FixedText(s.value, 8, 3) + "    ошибка t-статистики";
    default:
      if (Unreliable(s.p, reliableOnly)) return std::nullopt;
      return "   " + IntText(s.n, 4) + "  " + FixedText(s.value, 8, 3) + "       " + s.p;
  }
}

}  // namespace

PairTable PearsonCorrelations(const DataSet& data, const ProgressFn& progress) {
  PairTable table;
  Pearson(data, ReadVariablesInForce(data), progress, Into(table));
  return table;
}

PairTable SpearmanCorrelations(const DataSet& data, const ProgressFn& progress, std::size_t keptRanksBytes) {
  PairTable table;
  Spearman(data, ReadVariablesInForce(data), keptRanksBytes, progress, Into(table));
  return table;
}

void PearsonStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options, const ProgressFn& progress) {
  TitlePearson(out);
  WritePreparedPairLines(
      out, data, [&](const Array<PairVariable>& vars, const PairSink& take) { Pearson(data, vars, progress, take); },
      [&options](const PairStatistic& s) { return PearsonText(s, options.ReliableOnly); });
  EndTable(out);
}

void SpearmanStat(ResultsFileWriter& out, DataSet& data, const StatOptions& options, const ProgressFn& progress) {
  TitleSpearman(out);
  WritePreparedPairLines(
      out, data, [&](const Array<PairVariable>& vars, const PairSink& take) {
        Spearman(data, vars, kKeptRanksBytes, progress, take);
      },
      [&options](const PairStatistic& s) { return SpearmanText(s, options.ReliableOnly); });
  EndTable(out);
}

}  // namespace tavrel
