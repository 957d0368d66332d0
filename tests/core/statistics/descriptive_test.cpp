#include "statistics/descriptive.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/dataset.h"
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
}

TEST_F(DescriptiveTest, MeanAndSigmaWithDivisorNMinusOne) {
  Data().EmptyValue = -999;
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
    MeanSigma(c.values, c.last, mean, sigma);
    EXPECT_DOUBLE_EQ(mean, c.mean) << c.last;
    EXPECT_DOUBLE_EQ(sigma, c.sigma) << c.last;
  }
}

TEST_F(DescriptiveTest, MeanAndSigmaWithoutMissingOrOutliers) {
  Data().EmptyValue = -1;
  double mean = 0, sigma = 0;
  MeanSigmaNoEmpty({1, -1, 3, -1}, 3, mean, sigma);
  EXPECT_DOUBLE_EQ(mean, 2);
  EXPECT_DOUBLE_EQ(sigma, std::sqrt(2.0));
  MeanSigmaNoEmpty({-1, -1}, 1, mean, sigma);
  EXPECT_EQ(mean, 0);
  EXPECT_EQ(sigma, 0);
  MeanSigmaNoEmpty({-1}, 0, mean, sigma);  // a single value is taken as it is
  EXPECT_EQ(mean, -1);
  MeanSigmaNoEmpty({}, -1, mean, sigma);
  EXPECT_EQ(mean, -1);

  // Ten values 10 and one 1000: the limits of the whole series leave 1000 out.
  Array<double> values(10, 10.0);
  values.push_back(1000);
  MeanSigmaInLimits(values, 10, mean, sigma);
  EXPECT_DOUBLE_EQ(mean, 10);
  EXPECT_DOUBLE_EQ(sigma, 0);
  MeanSigmaInLimits({5}, 0, mean, sigma);
  EXPECT_EQ(mean, 5);
}

TEST_F(DescriptiveTest, OutlierLimitsBySeriesSize) {
  Data().EmptyValue = -999;
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
    OutlierLimits(c.index, 10, 2, low, high);
    EXPECT_DOUBLE_EQ(high, RoundDecimals(10 + c.e * 2 * c.f, 4)) << c.index;
    EXPECT_DOUBLE_EQ(low, RoundDecimals(10 - c.e * 2 * c.f, 4)) << c.index;
  }
  double low = 0, high = 0;
  OutlierLimits(0, 4, 1, low, high);
  EXPECT_EQ(low, 4);
  EXPECT_EQ(high, 4);
  OutlierLimits(-1, 4, 1, low, high);
  EXPECT_EQ(low, -999);
  EXPECT_EQ(high, -999);
  OutlierLimits(9, 4, 0, low, high);
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
