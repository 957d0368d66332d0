#include "core/statistics/p_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/statistics/f_critical.h"
#include "core/statistics/f_distribution.h"

namespace tavrel {
namespace {

TEST(PTextTest, StudentColumnsAndLevels) {
  struct Case {
    std::int32_t k;
    double x;
    const char* shown;
  };
  const Case cases[] = {
      {0, 12.7, "<0.05 "},    // sizes up to 1 read the column of 1 degree of freedom
      {-5, 636.6, "<0.001"},  //
      {1, 63.69, "<0.05 "},   //
      {4, 5.84, "<0.01 "},    // k = 4 reads 3 degrees of freedom; equal counts as beyond
      {31, 2.04, "<0.05 "},   // column 30
      {31, 2.039, ">0.05"},   //
      {32, 2.02, "<0.05 "},   // 40 degrees of freedom
      {32, 2.03, "<0.05 "},   //
      {41, 3.55, "<0.001"},   //
      {42, 2.01, "<0.05 "},   // 50
      {101, 1.98, "<0.05 "},  // 100
      {121, 2.62, "<0.01 "},  // 120
      {122, 1.96, "<0.05 "},  // infinity
      {122, 3.29, "<0.001"},  //
      {122, 1.959, ">0.05"},  //
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PByT(c.k, c.x, true), c.shown) << c.k << " " << c.x;
    const std::string hidden = std::string(c.shown) == ">0.05" ? "     " : c.shown;
    EXPECT_EQ(PByT(c.k, c.x, false), hidden) << c.k << " " << c.x;
  }
  EXPECT_EQ(PByT(10, INFINITY, true), "<0.001");
  EXPECT_EQ(PByT(10, NAN, true), ">0.05");
}

TEST(PTextTest, NormalDeviateComparesStrictly) {
  EXPECT_EQ(PByZ(1.96, true), ">0.05");
  EXPECT_EQ(PByZ(1.96, false), "     ");
  EXPECT_EQ(PByZ(1.9601, true), "<0.05");
  EXPECT_EQ(PByZ(2.58, true), "<0.05");
  EXPECT_EQ(PByZ(2.5801, true), "<0.01");
  EXPECT_EQ(PByZ(3.29, true), "<0.01");
  EXPECT_EQ(PByZ(3.2901, true), "<0.001");
}

TEST(PTextTest, ChiSquareByWilsonHilferty) {
  // v (1 - q + z sqrt(q))^3 with q = 2 / (9 v); the deviates 1.96, 2.58 and 3.29 give
  // the upper 2.5%, 0.5% and 0.05% points: for 10 degrees of freedom about 20.48, 25.19 and 31.4.
  const double q = 2.0 / 90;
  EXPECT_DOUBLE_EQ(Chi2Critical(10, 1.96), 10 * std::pow(1 - q + 1.96 * std::sqrt(q), 3));
  EXPECT_NEAR(Chi2Critical(10, 1.96), 20.48, 0.05);
  EXPECT_NEAR(Chi2Critical(10, 2.58), 25.19, 0.1);
  struct Case {
    double chi2;
    const char* p;
  };
  const Case cases[] = {{20.4, ">0.05"}, {20.6, "<0.05"}, {26.0, "<0.01"}, {32.0, "<0.001"}, {NAN, ">0.05"}};
  for (const Case& c : cases) {
    PText p;
    const bool normal = PByChi2(10, c.chi2, true, p);
    EXPECT_EQ(p, c.p) << c.chi2;
    EXPECT_EQ(normal, std::string(c.p) == ">0.05") << c.chi2;
  }
  PText p;
  EXPECT_TRUE(PByChi2(10, 18.0, false, p));
  EXPECT_EQ(p, "     ");
}

TEST(PTextTest, SkewnessAndExcessBySizeClass) {
  struct Case {
    bool skew;
    std::int32_t n;
    double value;
    const char* p;
  };
  const Case cases[] = {
      {true, 25, 0.72, "<0.05"},   {true, 25, 0.71, ">0.05"},   {true, 26, 0.72, "<0.05"},
      {true, 26, 0.95, "<0.01"},   {true, 26, -0.928, "<0.01"}, {true, 1000, 0.213, "<0.05"},
      {false, 20, -0.95, "<0.01"}, {false, 62, 0.84, "<0.05"},  {false, 62, 0.855, "<0.01"},
      {false, 61, 0.84, ">0.05"},  {false, 5000, 0.8, ">0.05"}, {false, 5000, 0.816, "<0.05"},
  };
  for (const Case& c : cases) {
    PText p;
    const bool normal = c.skew ? PBySkew(c.n, c.value, true, p) : PByExcess(c.n, c.value, true, p);
    EXPECT_EQ(p, c.p) << c.n << " " << c.value;
    EXPECT_EQ(normal, std::string(c.p) == ">0.05");
  }
  PText p;
  EXPECT_TRUE(PBySkew(10, 0.1, false, p));
  EXPECT_EQ(p, "     ");
}

TEST(FCriticalTest, ReadsTheTableByTheNextTabulatedDegreesOfFreedom) {
  struct Case {
    std::int32_t df1, df2;
    double value;
  };
  const Case cases[] = {
      {1, 1, 161},    {2, 10, 4.1},   {10, 10, 2.97}, {24, 2, 19.45},  {600, 30, 1.62}, {1, 2000, 3.84},
      {5, 20, 2.71},  {10, 40, 2.08}, {9, 11, 2.90},  {13, 5, 4.64},   {14, 5, 4.64},   {4, 12, 3.26},
      {12, 120, 1.83}, {3, 7, 4.35},  {8, 31, 2.24},  {150, 20, 1.88}, {1, 4, 7.71},    {6, 200, 2.14},
      // sizes below 1 read the first row or column
      {0, 10, 4.96},  {-3, 1, 161},   {2, 0, 200},    {0, 0, 161},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(FCritical(c.df1, c.df2), c.value) << c.df1 << " " << c.df2;
}

TEST(FCriticalTest, ApproximatesWhenBothSizesExceed30) {
  const double g = 1.0 / 31 - 1.0 / 31, h = 2 / (2.0 / 31);
  EXPECT_DOUBLE_EQ(FCritical(31, 31), std::pow(10, 1.4287 / std::sqrt(h - 0.95) - 0.681 * g));
  EXPECT_NEAR(FCritical(31, 31), 1.82, 0.03);  // the exact point is 1.8221
  EXPECT_NEAR(FCritical(60, 120), 1.43, 0.03);
}

TEST(FCriticalTest, ComputedPointsAgreeWithPublishedValues) {
  // Exact points known to more digits than the table holds.
  EXPECT_NEAR(FUpperPoint(1, 1, 0.05), 161.448, 0.001);
  EXPECT_NEAR(FUpperPoint(2, 10, 0.05), 4.1028, 0.0001);
  EXPECT_NEAR(FUpperPoint(5, 20, 0.05), 2.7109, 0.0001);
  EXPECT_NEAR(FUpperPoint(10, 10, 0.05), 2.9782, 0.0001);
  EXPECT_NEAR(FUpperPoint(1, kInfiniteDf, 0.05), 3.8415, 0.0001);
  EXPECT_NEAR(FUpperPoint(kInfiniteDf, 10, 0.05), 2.5379, 0.0001);
  EXPECT_DOUBLE_EQ(FUpperPoint(kInfiniteDf, kInfiniteDf, 0.05), 1);
  EXPECT_NEAR(FUpperPoint(4, 10, 0.01), 5.9943, 0.0001);
  // The printed rows kept in the table agree with the computed points within the
  // last printed digit (one unit in row 1); the printed 2.81 of 16 and 10 degrees
  // of freedom is the one entry further off (the exact point is 2.828).
  for (int row : {0, 1, 9, 29, 51}) {
    for (int c = 0; c < kFTableColumns; ++c) {
      const double exact = FUpperPoint(FTableColumnDf(c), FTableRowDf(row), 0.05);
      const double tolerance = row == 0 ? 1.0 : (row == 9 && c == 13) ? 0.02 : 0.0101;
      EXPECT_NEAR(FTableEntry(row, c), exact, tolerance) << row << " " << c;
    }
  }
  // Down a column the points fall; along a row too from 3 degrees of freedom of the denominator on.
  for (int r = 0; r < kFTableRows; ++r) {
    for (int c = 0; c < kFTableColumns; ++c) {
      if (c > 0 && r >= 2) {
        EXPECT_LE(FTableEntry(r, c), FTableEntry(r, c - 1)) << r << " " << c;
      }
      if (r > 0) {
        EXPECT_LE(FTableEntry(r, c), FTableEntry(r - 1, c)) << r << " " << c;
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
