#include "core/statistics/correlation.h"

#include <cmath>
#include <cstdint>

#include "core/base/numbers.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/p_text.h"
#include "core/statistics/ranks.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

namespace {

struct MeanAndSigma {
  double mean = 0, sigma = 0;
};

// The ranks of values 0..last of a series and their tie sum. A rank is a
// whole number or a half, so each is kept doubled, as a whole number, in half
// the memory: a table of long variables keeps the ranks of all of them.
struct Ranked {
  Array<std::uint32_t> twice;
  double ties = 0;
};

Ranked RankOf(const Array<double>& values, std::int32_t last) {
  Array<double> ranks(values.begin(), values.begin() + (last + 1));
  Ranked r;
  r.ties = RankValues(ranks, last);
  r.twice.reserve(ranks.size());
  for (const double rank : ranks) r.twice.push_back(static_cast<std::uint32_t>(2 * rank));
  return r;
}

PairStatistic WithOutcome(PairOutcome outcome, std::int32_t n = 0, double value = 0) {
  PairStatistic s;
  s.outcome = outcome;
  s.n = n;
  s.value = value;
  return s;
}

void Pearson(const DataSet& data, const Array<PairVariable>& vars, const ProgressFn& progress, const PairSink& take) {
  const double empty = data.EmptyValue;
  Array<MeanAndSigma> own;
  for (const PairVariable& v : vars) {
    MeanAndSigma m;
    MeanSigma(*v.values, v.last, empty, m.mean, m.sigma);
    own.push_back(m);
  }
  ComputePreparedPairs(
      vars, PairDeletionOf(data), false, progress,
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
        PairStatistic s = WithOutcome(PairOutcome::kComputed, n + 1, products / n / (mx.sigma * my.sigma));
        const double r = s.value;
        s.p = "<0.001";
        if (r != 1) {
          const double size = s.n > 100 ? s.n : s.n - 2;
          s.t = r * std::sqrt(size) / std::sqrt(std::fabs(1 - r * r));
          s.p = PByT(s.n - 2, std::fabs(s.t), true);
        }
        return s;
      },
      take);
}

void Spearman(const DataSet& data, const Array<PairVariable>& vars, const ProgressFn& progress, const PairSink& take) {
  Array<Ranked> own;
  for (const PairVariable& v : vars) own.push_back(RankOf(*v.values, v.last));
  ComputePreparedPairs(vars, PairDeletionOf(data), false, progress, [&](int, int j, int k, const PairSeries& pair) {
    const std::int32_t n = pair.Last();
    Ranked worked[2];
    const Ranked* rx = &own[j];
    const Ranked* ry = &own[k];
    if (!pair.Own()) {
      worked[0] = RankOf(pair.X(), n);
      worked[1] = RankOf(pair.Y(), n);
      rx = &worked[0];
      ry = &worked[1];
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

PairTable SpearmanCorrelations(const DataSet& data, const ProgressFn& progress) {
  PairTable table;
  Spearman(data, ReadVariablesInForce(data), progress, Into(table));
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
      out, data, [&](const Array<PairVariable>& vars, const PairSink& take) { Spearman(data, vars, progress, take); },
      [&options](const PairStatistic& s) { return SpearmanText(s, options.ReliableOnly); });
  EndTable(out);
}

}  // namespace tavrel
