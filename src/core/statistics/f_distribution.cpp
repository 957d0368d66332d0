#include "core/statistics/f_distribution.h"

#include <functional>

namespace tavrel {

namespace {

constexpr double kEpsilon = 1e-15;
constexpr double kTiny = 1e-300;
constexpr int kMaxIterations = 100000;

// The continued fraction of the incomplete beta (modified Lentz).
double BetaFraction(double a, double b, double x) {
  const double qab = a + b, qap = a + 1, qam = a - 1;
  double c = 1, d = 1 - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1 / d;
  double h = d;
  for (int m = 1; m <= kMaxIterations; ++m) {
    const int m2 = 2 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1) < kEpsilon) break;
  }
  return h;
}

// The x in [lo, hi] where the increasing function f reaches target, by bisection.
double Solve(const std::function<double(double)>& f, double target, double lo, double hi) {
  for (int i = 0; i < 2000 && hi - lo > 1e-15 * (1 + hi); ++i) {
    const double mid = lo + (hi - lo) / 2;
    (f(mid) < target ? lo : hi) = mid;
  }
  return lo + (hi - lo) / 2;
}

// The chi-square quantile with df degrees of freedom at the lower probability p.
double Chi2Quantile(double df, double p) {
  const auto cdf = [df](double x) { return IncompleteGamma(df / 2, x / 2); };
  double hi = df + 10;
  while (cdf(hi) < p) hi *= 2;
  return Solve(cdf, p, 0, hi);
}

}  // namespace

double IncompleteBeta(double a, double b, double x) {
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  const double front =
      std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
  if (x < (a + 1) / (a + b + 2)) return front * BetaFraction(a, b, x) / a;
  return 1 - front * BetaFraction(b, a, 1 - x) / b;
}

double IncompleteGamma(double a, double x) {
  if (x <= 0) return 0;
  const double front = std::exp(-x + a * std::log(x) - std::lgamma(a));
  if (x < a + 1) {  // the series
    double ap = a, sum = 1 / a, del = sum;
    for (int n = 0; n < kMaxIterations && std::fabs(del) > std::fabs(sum) * kEpsilon; ++n) {
      ap += 1;
      del *= x / ap;
      sum += del;
    }
    return sum * front;
  }
  // the continued fraction of the upper part
  double b = x + 1 - a, c = 1 / kTiny, d = 1 / b, h = d;
  for (int i = 1; i <= kMaxIterations; ++i) {
    const double an = -i * (i - a);
    b += 2;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1) < kEpsilon) break;
  }
  return 1 - front * h;
}

double FUpperPoint(double df1, double df2, double upper) {
  const bool inf1 = std::isinf(df1), inf2 = std::isinf(df2);
  if (inf1 && inf2) return 1;
  if (inf2) return Chi2Quantile(df1, 1 - upper) / df1;  // F = (chi2 / df1) / 1
  if (inf1) return df2 / Chi2Quantile(df2, upper);      // F = 1 / (chi2 / df2)
  // P(F <= f) = I_x(df1/2, df2/2) with x = df1 f / (df1 f + df2); solve for x.
  const auto cdf = [df1, df2](double x) { return IncompleteBeta(df1 / 2, df2 / 2, x); };
  const double x = Solve(cdf, 1 - upper, 0, 1);
  return df2 * x / (df1 * (1 - x));
}

}  // namespace tavrel
