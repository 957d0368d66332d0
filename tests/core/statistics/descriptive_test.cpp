#include "core/statistics/descriptive.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/data/dataset.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DescriptiveTest : public test::EngineTest {};

TEST_F(DescriptiveTest, RoundsToDecimalsHalvesToEven) {
  EXPECT_DOUBLE_EQ(RoundDecimals(1.23456, 4), 1.2346);
  EXPECT_DOUBLE_EQ(RoundDecimals(-1.23454, 4), -1.2345);
  EXPECT_DOUBLE_EQ(RoundDecimals(0.00005, 4), 0);  // 0.5 in units of 1e-4 goes to the even 0
  EXPECT_DOUBLE_EQ(RoundDecimals(2.5, 0), 2);
  EXPECT_DOUBLE_EQ(RoundDecimals(1234567.89, 4), 1234567.89);  // large values do not overflow
  // Exactly the library's rounding in the default mode, sign of zero, halves,
  // sizes near and past 2^52, infinities and undefined values included.
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0,     -0.0,     0.5,      -0.5,      1.5,       -2.5,       0.49999999999999994,
                                4503599627370495.5, -4503599627370495.5, 4503599627370496.0, 9007199254740993.0,
                                1e300,   -1e300,   inf,      -inf,      5e-324,    -5e-324};
  std::mt19937_64 rng(9);
  for (int k = 0; k < 100000; ++k) {
    values.push_back(std::bit_cast<double>(rng()));  // any bit pattern
    values.push_back(std::ldexp(static_cast<double>(rng() >> 11), -static_cast<int>(rng() % 60)) * (k % 2 ? 1 : -1));
  }
  for (const double x : values) {
    for (const int d : {0, 4}) {
      const double f = d == 0 ? 1 : 1e4;
      const double want = std::nearbyint(f * x) / f;
      const double got = RoundDecimals(x, d);
      if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got)) << x;
      } else {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(want)) << std::hexfloat << x;
      }
    }
  }
}

TEST_F(DescriptiveTest, MeanAndSigmaWithDivisorNMinusOne) {
  const double empty = -999;
  struct Case {
    Array<double> values;
    std::int32_t last;
    double mean, sigma;
  };
  const Case cases[] = {
      {{1, 2, 3}, 2, 2, 1},
      {{2, 4, 4, 4, 5, 5, 7, 9}, 7, 5, std::sqrt(32.0 / 7)},
      {{0, 0.00004}, 1, 0.00002, 0},  // deviations of 0.00002 round to 0 before squaring
      {{7, 7, 7}, 2, 7, 0},
      {{-3}, 0, -3, -3},  // a single value gives itself for both
      {{}, -1, -999, -999},
      {{1, 2, 3, 100}, 1, 1.5, std::sqrt(0.5)},  // only 0..last counts
  };
  for (const Case& c : cases) {
    double mean = 0, sigma = 0;
    MeanSigma(c.values, c.last, empty, mean, sigma);
    EXPECT_DOUBLE_EQ(mean, c.mean) << c.last;
    EXPECT_DOUBLE_EQ(sigma, c.sigma) << c.last;
  }
}

TEST_F(DescriptiveTest, MeanAndSigmaWithoutMissingOrOutliers) {
  const double empty = -1;
  double mean = 0, sigma = 0;
  MeanSigmaNoEmpty({1, -1, 3, -1}, 3, empty, mean, sigma);
  EXPECT_DOUBLE_EQ(mean, 2);
  EXPECT_DOUBLE_EQ(sigma, std::sqrt(2.0));
  MeanSigmaNoEmpty({-1, -1}, 1, empty, mean, sigma);
  EXPECT_EQ(mean, 0);
  EXPECT_EQ(sigma, 0);
  MeanSigmaNoEmpty({-1}, 0, empty, mean, sigma);  // a single value is taken as it is
  EXPECT_EQ(mean, -1);
  MeanSigmaNoEmpty({}, -1, empty, mean, sigma);
  EXPECT_EQ(mean, -1);

  // Ten values 10 and one 1000: the limits of the whole series leave 1000 out.
  Array<double> values(10, 10.0);
  values.push_back(1000);
  MeanSigmaInLimits(values, 10, empty, mean, sigma);
  EXPECT_DOUBLE_EQ(mean, 10);
  EXPECT_DOUBLE_EQ(sigma, 0);
  MeanSigmaInLimits({5}, 0, empty, mean, sigma);
  EXPECT_EQ(mean, 5);
}

TEST_F(DescriptiveTest, OutlierLimitsBySeriesSize) {
  const double empty = -999;
  struct Case {
    std::int32_t index;  // the series size minus one
    double e, f;
  };
  const Case cases[] = {
      {4, 3.04, std::sqrt(6.0 / 5)}, {5, 2.78, std::sqrt(7.0 / 6)}, {17, 2.17, std::sqrt(19.0 / 18)},
      {18, 2.145, std::sqrt(20.0 / 19)}, {28, 2.079, std::sqrt(30.0 / 29)}, {29, 2.079, 1},
      {99, 1.994, 1}, {199, 1.977, 1},
  };
  for (const Case& c : cases) {
    double low = 0, high = 0;
    OutlierLimits(c.index, 10, 2, empty, low, high);
    EXPECT_DOUBLE_EQ(high, RoundDecimals(10 + c.e * 2 * c.f, 4)) << c.index;
    EXPECT_DOUBLE_EQ(low, RoundDecimals(10 - c.e * 2 * c.f, 4)) << c.index;
  }
  double low = 0, high = 0;
  OutlierLimits(0, 4, 1, empty, low, high);
  EXPECT_EQ(low, 4);
  EXPECT_EQ(high, 4);
  OutlierLimits(-1, 4, 1, empty, low, high);
  EXPECT_EQ(low, -999);
  EXPECT_EQ(high, -999);
  OutlierLimits(9, 4, 0, empty, low, high);
  EXPECT_EQ(low, 4);
  EXPECT_EQ(high, 4);
}

TEST_F(DescriptiveTest, PadsShortNamesWithBlanks) {
  struct Case {
    std::string name, padded;
  };
  const Case cases[] = {{"AB", "AB      "}, {"Пульс", "Пульс   "}, {"ABCDEFGH", "ABCDEFGH"},
                        {" A", " A      "}, {"ABCDEF  ", "ABCDEF  "}, {"", "        "}};
  for (Case c : cases) {
    PadName(c.name);
    EXPECT_EQ(c.name, c.padded);
  }
}

}  // namespace
}  // namespace tavrel
