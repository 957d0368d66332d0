#include "core/statistics/histogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace tavrel {
namespace {

Array<double> OneToEleven() {
  Array<double> v;
  for (int i = 1; i <= 11; ++i) v.push_back(i);
  return v;
}

TEST(HistogramTest, ClassesFromTheLastIndex) {
  std::int32_t k = -1;
  double width = -1, start = -1;
  HistClasses(OneToEleven(), 10, k, width, start);
  EXPECT_EQ(k, 5);
  EXPECT_DOUBLE_EQ(width, 10 * 1.02 / 5);
  EXPECT_DOUBLE_EQ(start, 1 - 0.01 * 2.04);

  for (std::int32_t last : {1, 0, -1}) {  // too short: no classes, width and start untouched
    width = start = -1;
    HistClasses({3, 4}, last, k, width, start);
    EXPECT_EQ(k, 0) << last;
    EXPECT_EQ(width, -1);
    EXPECT_EQ(start, -1);
  }
  HistClasses(Array<double>(100, 2.0), 99, k, width, start);
  EXPECT_EQ(k, 10);
  EXPECT_EQ(width, 0);
}

TEST(HistogramTest, CountsAgainstTheNormalLawAndMergesTheEnds) {
  const Array<double> v = OneToEleven();
  std::int32_t k = 0;
  double width = 0, start = 0;
  HistClasses(v, 10, k, width, start);
  const double sigma = std::sqrt(11.0);
  Array<double> observed(k, 0.0), expected(k, 0.0);
  const std::int32_t df = HistNormal(v, 10, 6, sigma, k, width, start, observed, expected, false);
  EXPECT_EQ(df, 2);
  const double expectedCounts[] = {1.31, 2.27, 2.70, 2.20, 1.23};
  const double observedCounts[] = {3, 2, 2, 2, 2};  // 1 lies above start: lo < v <= hi
  for (int i = 0; i < 5; ++i) {
    EXPECT_NEAR(expected[i], expectedCounts[i], 0.01) << i;
    EXPECT_EQ(observed[i], observedCounts[i]) << i;
    const double u = (start + (i + 0.5) * width - 6) / sigma;
    EXPECT_DOUBLE_EQ(expected[i], 11 * width / sigma * std::exp(-u * u / 2) / std::sqrt(2 * std::numbers::pi));
  }
  // Merging: with fewer than 40 values the minimum is 4, so everything joins the middle class.
  const double oldStart = start;
  EXPECT_EQ(HistNormal(v, 10, 6, sigma, k, width, start, observed, expected, true), -2);
  EXPECT_EQ(k, 1);
  EXPECT_DOUBLE_EQ(start, oldStart + 2 * width);
  EXPECT_DOUBLE_EQ(observed[0], 11);
  EXPECT_NEAR(expected[0], 9.70, 0.01);
}

// Each value counts in every class whose rounded bounds hold it, lo < v <= hi,
// as a class that looked at every value would count: for values on the
// bounds and a hair either side, repeated values, values outside all classes,
// infinities and classes far from 0 for their width.
TEST(HistogramTest, CountsEachValueInTheClassesItsBoundsHold) {
  std::mt19937 rng(4);
  for (const auto& [base, spread] : {std::pair{0.0, 10.0}, {-3.7, 0.001}, {1e6, 1e-3}, {1e9, 1e-4}, {5e15, 1.0}}) {
    std::vector<double> v;
    std::uniform_real_distribution<double> within(base, base + spread);
    for (int j = 0; j < 2000; ++j) v.push_back(within(rng));
    std::int32_t k = 0;
    double width = 0, start = 0;
    HistClasses(Array<double>(v), static_cast<std::int32_t>(v.size()) - 1, k, width, start);
    for (std::int32_t i = 0; i <= k; ++i) {
      const double bound = start + i * width, upper = bound + width;
      for (const double b : {bound, upper}) {
        v.insert(v.end(), {b, b, std::nextafter(b, HUGE_VAL), std::nextafter(b, -HUGE_VAL)});
      }
    }
    v.insert(v.end(), {base - 10 * spread, base + 10 * spread, HUGE_VAL, -HUGE_VAL});
    const Array<double> values(v);
    const auto last = static_cast<std::int32_t>(values.size()) - 1;
    Array<double> observed(k, 0.0), expected(k, 0.0);
    HistNormal(values, last, base, spread, k, width, start, observed, expected, false);
    for (std::int32_t i = 0; i < k; ++i) {
      const double lo = start + i * width, hi = lo + width;
      const auto count = std::count_if(v.begin(), v.end(), [&](double x) { return x > lo && x <= hi; });
      EXPECT_EQ(observed[i], static_cast<double>(count)) << "class " << i << " of values from " << base;
    }
  }
}

TEST(HistogramTest, MergesOnlyEndClassesBelowTheMinimum) {
  struct Case {
    std::int32_t last, df;
    Array<double> expected;
    Array<double> merged;
    double startShift;  // in widths
  };
  const Case cases[] = {
      // both ends at the minimum: nothing changes
      {20, 3, {4, 1, 1, 4, 5, 4}, {4, 1, 1, 4, 5, 4}, 0},
      // from the left until the receiving class reaches 4, then from the right
      {20, 3, {1, 2, 3, 9, 3, 2}, {6, 9, 5}, 2},
      // from the right the merging stops at the second class
      {20, 3, {5, 1, 1, 1}, {5, 3}, 0},
      // 60 values and df 6 or more: the minimum is 0.5
      {60, 7, {0.4, 0.6, 5, 5, 5, 5, 5, 5, 5, 0.5}, {1.0, 5, 5, 5, 5, 5, 5, 5, 0.5}, 1},
      // 60 values and df 2: the minimum is 2
      {60, 2, {1.5, 1.5, 10, 1}, {3, 11}, 1},
      // 45 values and df 8: the minimum is 1
      {45, 8, {0.9, 3, 3, 3}, {3.9, 3, 3}, 1},
  };
  for (const Case& c : cases) {
    std::int32_t k = static_cast<std::int32_t>(c.expected.Count());
    Array<double> expected = c.expected, observed = c.expected;
    double start = 10;
    MergeSmallClasses(k, c.last, c.df, start, 2, expected, observed);
    ASSERT_EQ(k, c.merged.Count()) << c.last << " " << c.df;
    for (std::int32_t i = 0; i < k; ++i) {
      EXPECT_DOUBLE_EQ(expected[i], c.merged[i]) << i;
      EXPECT_DOUBLE_EQ(observed[i], c.merged[i]) << i;
    }
    EXPECT_DOUBLE_EQ(start, 10 + 2 * c.startShift);
  }
}

}  // namespace
}  // namespace tavrel
