#include "core/statistics/correlation.h"

#include <cmath>

#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/p_text.h"
#include "core/statistics/pair_loop.h"
#include "core/statistics/ranks.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

namespace {

struct MeanAndSigma {
  double mean = 0, sigma = 0;
};

// The ranks of a variable's own series and their tie sum.
struct Ranked {
  Array<double> ranks;
  double ties = 0;
};

Ranked RankOf(const Array<double>& values, std::int32_t last) {
  Ranked r{values, 0};
  r.ties = RankValues(r.ranks, last);
  return r;
}

}  // namespace

void PearsonStat(const ProgressFn& progress) {
  ResultsFileWriter& out = ResultsFile();
  TitlePearson();
  const Array<PairVariable> vars = ReadVariablesInForce();
  Array<MeanAndSigma> own;
  for (const PairVariable& v : vars) {
    MeanAndSigma m;
    MeanSigma(v.var.values, v.var.last, m.mean, m.sigma);
    own.push_back(m);
  }
  ForEachPreparedPair(vars, progress, false, "    Ошибка: неравные массивы",
                      [&](int j, int k, const std::string& prefix, const PairSeries& pair) {
                        const std::int32_t n = pair.Last();
                        const Array<double>& x = pair.X();
                        const Array<double>& y = pair.Y();
                        MeanAndSigma mx = own[j], my = own[k];
                        if (!pair.Own()) {
                          MeanSigma(x, n, mx.mean, mx.sigma);
                          MeanSigma(y, n, my.mean, my.sigma);
                        }
                        if (mx.sigma == 0 || my.sigma == 0) {
                          out.WriteLn(prefix + "    Ошибка: @=0");
                          return;
                        }
                        double products = 0;
                        for (std::int32_t i = 0; i <= n; ++i) products += (x[i] - mx.mean) * (y[i] - my.mean);
                        const double r = products / n / (mx.sigma * my.sigma);
                        const std::int32_t count = n + 1;
                        PText p = "<0.001";
                        if (r != 1) {
                          const double size = count > 100 ? count : count - 2;
                          const double t = r * std::sqrt(size) / std::sqrt(std::fabs(1 - r * r));
                          p = PByT(count - 2, std::fabs(t), true);
                        }
                        if (Unreliable(p)) return;
                        out.WriteLn(prefix + "   " + IntText(count, 4) + "    " + FixedText(r, 6, 3) + "      " + p);
                      });
  EndTable();
}

void SpearmanStat(const ProgressFn& progress) {
  ResultsFileWriter& out = ResultsFile();
  TitleSpearman();
  const Array<PairVariable> vars = ReadVariablesInForce();
  Array<Ranked> own;
  for (const PairVariable& v : vars) own.push_back(RankOf(v.var.values, v.var.last));
  ForEachPreparedPair(
      vars, progress, false, "     Ошибка: неравные массивы",
      [&](int j, int k, const std::string& prefix, const PairSeries& pair) {
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
          const double diff = rx->ranks[i] - ry->ranks[i];
          d += diff * diff;
        }
        const std::int32_t count = n + 1;
        const double size = count;
        const double q = size * size * size - size;
        const double ties = rx->ties + ry->ties;
        double rho = 0;
        if (rx->ties != 0 || ry->ties != 0) {
          if (q == ties) {
            out.WriteLn(prefix + "   " + IntText(count, 4) + "     ошибка связанных рангов");
            return;
          }
          rho = 1 - 6 * d / (q - ties);
        } else {
          rho = 1 - 6 * d / q;
        }
        PText p = "<0.001";
        if (rho != 1) {
          const double v = 1 - rho * rho;
          if (v <= 0) {
            out.WriteLn(prefix + "   " + IntText(count, 4) + "  " + FixedText(rho, 8, 3) + "    ошибка t-статистики");
            return;
          }
          const double t = std::fabs(rho) * std::sqrt(size - 2) / std::sqrt(v);
          p = PByT(count - 2, t, true);
        }
        if (Unreliable(p)) return;
        out.WriteLn(prefix + "   " + IntText(count, 4) + "  " + FixedText(rho, 8, 3) + "       " + p);
      });
  EndTable();
}

}  // namespace tavrel
