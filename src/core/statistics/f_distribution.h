#pragma once
// Exact upper percentage points of the F distribution, from the regularized
// incomplete beta and gamma functions. The variance-ratio table is built from them.
#include <cmath>
#include <limits>

namespace tavrel {

inline constexpr double kInfiniteDf = std::numeric_limits<double>::infinity();

// Regularized incomplete beta I_x(a, b), a, b > 0, 0 <= x <= 1.
double IncompleteBeta(double a, double b, double x);

// Regularized lower incomplete gamma P(a, x), a > 0, x >= 0.
double IncompleteGamma(double a, double x);

// The point f with P(F(df1, df2) > f) = upper; either degree of freedom may be kInfiniteDf.
double FUpperPoint(double df1, double df2, double upper);

}  // namespace tavrel
