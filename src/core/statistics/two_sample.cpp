#include "statistics/two_sample.h"

#include <algorithm>
#include <cmath>

#include "data/numbers.h"
#include "data/results_file.h"
#include "statistics/descriptive.h"
#include "statistics/p_text.h"
#include "statistics/pair_loop.h"
#include "statistics/ranks.h"
#include "statistics/report_titles.h"
#include "statistics/student_test.h"

namespace tavrel {

namespace {

std::string Sizes(std::int32_t n1, std::int32_t n2) { return "   " + IntText(n1, 4) + "  " + IntText(n2, 4); }

// The rank sum of the second sample and the tie sum of the two samples ranked
// together. Each sample comes sorted, so a pair costs one merge, not a sort.
struct RankSum {
  double second = 0;
  double ties = 0;
};

class RankSums {
 public:
  explicit RankSums(std::size_t size) : merged_(size), fromY_(size) {}

  RankSum Of(const Array<double>& x, const Array<double>& y) {
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

 private:
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
  for (const PairVariable& v : vars) {
    sorted.push_back(v.var.values);
    SortValues(sorted.back());
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
    const RankSum sum = rankSums.Of(sorted[j], sorted[k]);
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
