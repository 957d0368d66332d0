#include "core/statistics/correlation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

Ranked RankOf(const Array<double>& values, std::int32_t last) {
  if (last >= values.Count()) ThrowIndexError(last, values.size());
  Ranked r;
  r.ties = TwiceRanks(values.data(), last + 1, r.twice);
  return r;
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
  ForEachInOrder(
      vars.Count(),
      [&](int, long long v) { MeanSigma(*vars[v].values, vars[v].last, empty, own[v].mean, own[v].sigma); },
      [](long long) {});
  const PairDeletion deletion = PairDeletionOf(data);
  const bool oneLength = std::all_of(vars.begin(), vars.end(), [&](const PairVariable& v) { return v.last == vars[0].last; });
  if (!deletion.missing && !deletion.outliers && oneLength && vars.Count() > 1) {
    // Every pair works with the variables' own values: the sums of all pairs
    // are made together, reading the table a few times rather than twice a pair.
    std::vector<const double*> columns;
    std::vector<double> means;
    for (long long v = 0; v < vars.Count(); ++v) {
      columns.push_back(vars[v].values->data());
      means.push_back(own[v].mean);
    }
    const std::int32_t n = vars[0].last;
    const int pairs = static_cast<int>(vars.Count() * (vars.Count() - 1) / 2);
    const std::vector<double> products =
        PairProductSums(columns, means, n + 1, [&](int finished) { Report(progress, finished, pairs); });
    std::size_t next = 0;
    for (int j = 0; j < vars.Count(); ++j) {
      for (int k = j + 1; k < vars.Count(); ++k) {
        PairStatistic s = PearsonOf(products[next++], n, own[j], own[k]);
        s.first = j;
        s.second = k;
        take(s);
      }
    }
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
  // The ranks of the block's rows, and of the column each worker is on.
  Array<Ranked> rows(vars.size());
  int blockEnd = 0;
  Ranked column[2];
  int columnOf[2] = {-1, -1};
  const auto startBlock = [&](int first, int end) {
    for (int j = 0; j < first; ++j) rows[j] = {};
    ForEachInOrder(
        end - first, [&](int, long long i) { rows[first + i] = RankOf(*vars[first + i].values, vars[first + i].last); },
        [](long long) {});
    blockEnd = end;
  };
  ComputePreparedPairsByColumns(vars, PairDeletionOf(data), blockRows, progress, startBlock,
                                [&](int worker, int j, int k, const PairSeries& pair) {
    const std::int32_t n = pair.Last();
    Ranked worked[2];
    const Ranked* rx = &rows[j];
    const Ranked* ry = &rows[k];
    if (!pair.Own()) {
      worked[0] = RankOf(pair.X(), n);
      worked[1] = RankOf(pair.Y(), n);
      rx = &worked[0];
      ry = &worked[1];
    } else if (k >= blockEnd) {
      if (columnOf[worker] != k) {
        column[worker] = RankOf(*vars[k].values, vars[k].last);
        columnOf[worker] = k;
      }
      ry = &column[worker];
    }
    double d = 0;
    for (std::int32_t i = 0; i <= n; ++i) {
      // The same as the difference of the ranks: every number here is exact.
      const double diff = (static_cast<double>(rx->twice[i]) - static_cast<double>(ry->twice[i])) / 2;
      d += diff * diff;
    }
    const std::int32_t count = n + 1;
    const double size = count;
    const double q = size * size * size - size;
    const double ties = rx->ties + ry->ties;
    double rho = 0;
    if (rx->ties != 0 || ry->ties != 0) {
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
