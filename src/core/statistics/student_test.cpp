#include "core/statistics/student_test.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/numbers.h"
#include "core/statistics/f_critical.h"

namespace tavrel {

namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

// A test without degrees of freedom (sigmas of 0 in both samples, or spreads
// too large to square) has no t either: t is NaN, which no critical value
// exceeds, so p reads ">0.05".
StudentTTest Undefined(StudentTTest r) {
  r.t = std::numeric_limits<double>::quiet_NaN();
  r.df = 0;
  r.p = PByT(0, r.t, true);
  return r;
}

}  // namespace

double SmallerSigma(double s1, double s2) { return s1 > s2 ? s2 : s1; }

StudentTTest StudentTest(double m1, double s1, std::int32_t n1, double m2, double s2, std::int32_t n2) {
  const bool firstBig = s1 > s2;
  const double big = firstBig ? s1 : s2, small = firstBig ? s2 : s1;
  const std::int32_t nb = firstBig ? n1 : n2, ns = firstBig ? n2 : n1;
  const double ratio = big / small;
  const double difference = std::fabs(m1 - m2);
  StudentTTest r;
  // Sizes may reach the 32-bit limit: the degrees of freedom are counted in 64
  // bits and the sizes enter the sums as doubles.
  if (FCritical(nb - 1, ns - 1) > ratio) {
    r.pooled = true;
    r.df = std::int64_t{nb} + ns - 2;
    const double df = static_cast<double>(r.df);
    const double s = std::sqrt(((nb - 1.0) * big * big + (ns - 1.0) * small * small) / df);
    r.t = difference / s / std::sqrt(1.0 / nb + 1.0 / ns);
  } else {
    const double a = big * big / nb, b = small * small / ns;
    r.t = difference / std::sqrt(a + b);
    // Past 121 degrees of freedom the t table has one column, so a df beyond
    // the 32-bit range is held at its limit; an undefined one stays undefined.
    const double df = (a + b) * (a + b) / (a * a / (nb + 1.0) + b * b / (ns + 1.0)) - 2;
    if (std::isnan(df)) return Undefined(r);
    r.df = RoundInt(std::min(df, static_cast<double>(kIntMax)));
  }
  r.p = PByT(static_cast<std::int32_t>(std::min<std::int64_t>(r.df, kIntMax)), r.t, true);
  return r;
}

}  // namespace tavrel
