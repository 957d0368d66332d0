#include "core/data/min_max.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace tavrel {
namespace {

// The extremes as one pass in order finds them: missing values (the code, or
// NaN, which no comparison takes) left out, and of two equal extremes the
// first met, which tells -0 from 0.
void OnePass(const Array<double>& x, std::int32_t last, double empty, double& min, double& max) {
  min = 1e10;
  max = -1e10;
  for (std::int32_t i = 0; i <= last; ++i) {
    if (x[i] == empty) continue;
    if (x[i] < min) min = x[i];
    if (x[i] > max) max = x[i];
  }
  if (min == 1e10) min = 0;
  if (max == -1e10) max = 0;
}

TEST(MinMaxNoEmptyTest, IsWhatOnePassInOrderFinds) {
  const double E = -999, nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* what;
    Array<double> x;
  } cases[] = {
      {"two values", {3, 1}},
      {"every length around a step of four", {5, E, 7, 1, 9, 2, 8, 3, 6, 4, 10, E, 0.5}},
      {"all missing", {E, E, E, E, E, E}},
      {"the extremes in the last lanes", {1, 2, 3, 4, 5, 6, 7, 0.25, 2, 9.5, 2}},
      {"-0 met before 0", {1, -0.0, 2, 3, 0.0, 4, 5}},
      {"0 met before -0", {1, 0.0, 2, 3, -0.0, 4, 5}},
      {"-0 and 0 as largest", {-1, -2, -3, -4, -0.0, -5, 0.0, -6, -7}},
      {"a NaN is passed over", {nan, 2, 1, nan, 5, 3, 4, 2, nan}},
      {"values at the starting extremes", {1e10, -1e10, E, 1e10, 3}},
  };
  std::mt19937 rng(7);
  std::vector<Array<double>> random;
  for (int n = 2; n < 40; ++n) {
    Array<double> x;
    for (int i = 0; i < n; ++i) x.push_back(rng() % 5 == 0 ? E : static_cast<int>(rng() % 2001) / 10.0 - 100);
    random.push_back(x);
  }
  const auto check = [&](const char* what, const Array<double>& x) {
    for (std::int32_t last = 1; last < static_cast<std::int32_t>(x.size()); ++last) {
      double min = 7, max = 7, expectedMin = 0, expectedMax = 0;
      MinMaxNoEmpty(x, last, E, min, max);
      OnePass(x, last, E, expectedMin, expectedMax);
      EXPECT_EQ(min, expectedMin) << what << " to " << last;
      EXPECT_EQ(max, expectedMax) << what << " to " << last;
      EXPECT_EQ(std::signbit(min), std::signbit(expectedMin)) << what << " to " << last;
      EXPECT_EQ(std::signbit(max), std::signbit(expectedMax)) << what << " to " << last;
    }
  };
  for (const auto& c : cases) check(c.what, c.x);
  for (const Array<double>& x : random) check("random", x);
}

}  // namespace
}  // namespace tavrel
