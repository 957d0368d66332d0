#pragma once
// Student's t test of two independent samples from their summary values: the
// pooled form when the variance-ratio test takes the spreads as equal, the
// unequal-variance form otherwise. The two-sample table and the summary-value
// calculator both use it.
#include <cstdint>

#include "core/statistics/p_text.h"

namespace tavrel {

struct StudentTTest {
  double t = 0;
  std::int64_t df = 0;  // the unequal-variance df is rounded, and held at the 32-bit limit
  bool pooled = false;  // the spreads were taken as equal
  PText p;              // PByT with df, ">0.05" when not significant
};

// The sigma the test divides by: the smaller one (the first on equal sigmas,
// since the second then counts as the big one).
double SmallerSigma(double s1, double s2);

// The test of means m1, m2 with sigmas s1, s2 and sizes n1, n2 (at least 1).
// Sigmas of 0 in both samples leave the unequal-variance df undefined, and so
// the test: t is NaN, df 0 and p ">0.05".
StudentTTest StudentTest(double m1, double s1, std::int32_t n1, double m2, double s2, std::int32_t n2);

}  // namespace tavrel
