#include "statistics/two_sample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "data/numbers.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

using Series = std::vector<double>;

// The rank-sum U (the smaller of the two) and its normal deviate with the usual
// tie correction, by counting pairs.
std::pair<double, double> RankSumByCounting(const Series& x, const Series& y) {
  double greater = 0;
  for (double a : x)
    for (double b : y) greater += a > b ? 1 : a == b ? 0.5 : 0;
  const double n1 = x.size(), n2 = y.size(), n = n1 + n2, p = n1 * n2;
  const double u = std::min(greater, p - greater);
  std::map<double, int> groups;
  for (double a : x) ++groups[a];
  for (double b : y) ++groups[b];
  double ties = 0;
  for (const auto& [value, g] : groups) ties += (double(g) * g * g - g) / 12;
  const double variance = p / (n * (n - 1)) * ((n * n * n - n) / 12 - ties);
  return {u, std::fabs(u - p / 2) / std::sqrt(variance)};
}

class TwoSampleTest : public test::ReportTest {
 protected:
  // A: mean 10, sigma sqrt(42 / 9); B: mean 12, sigma sqrt(8 / 11); C: A's deviations doubled.
  const Series a_ = {7, 9, 9, 11, 13, 7, 9, 11, 11, 13};
  const Series b_ = {11, 12, 13, 11, 12, 13, 11, 12, 13, 11, 12, 13};
  const Series c_ = {4, 8, 8, 12, 16, 4, 8, 12, 12, 16};

  void SetUp() override {
    ReportTest::SetUp();
    SetVariables({{"A", a_},
                  {"B", b_},
                  {"C", c_},
                  {"K", Series(10, 5.0)},
                  {"S7", {1, 2, 3, 4, 5, 6, 7}},
                  {"T7", {2, 3, 4, 5, 6, 7, 8}},
                  {"U8", {5, 6, 7, 8, 9, 10, 11, 12}}});
  }
};

TEST_F(TwoSampleTest, StudentTable) {
  const std::string text = Written([] { StudentStat(); });
  test::ExpectGolden(text, "statistics/student.out");
  // A and B: sigma ratio 2.53 below F(9, 11) = 2.90, so the pooled form with 20 degrees of freedom.
  const double pooled = std::sqrt((42.0 + 8.0) / 20);
  const double tPooled = 2 / (pooled * std::sqrt(1.0 / 10 + 1.0 / 12));
  EXPECT_NE(text.find(" A        B            10    12  " + FixedText(tPooled, 8, 3) + "     <0.01 \r\n"),
            std::string::npos)
      << text;
  // C and B: ratio 5.07, so the unequal-variance form; df = (a + b)^2 / (a^2 / 11 + b^2 / 13) - 2 = 9.7 -> 10.
  const double va = 168.0 / 9 / 10, vb = 8.0 / 11 / 12;
  const double tWelch = 2 / std::sqrt(va + vb);
  EXPECT_EQ(RoundInt((va + vb) * (va + vb) / (va * va / 11 + vb * vb / 13) - 2), 10);
  EXPECT_NE(text.find(" B        C            12    10  " + FixedText(tWelch, 8, 3) + "     >0.05\r\n"),
            std::string::npos)
      << text;
}

TEST_F(TwoSampleTest, WilcoxonTable) {
  const std::string text = Written([] { WilcoxonStat(); });
  test::ExpectGolden(text, "statistics/wilcoxon.out");
  // A and B: U 26 and z 2.31 with the tie correction
  const auto [u, z] = RankSumByCounting(a_, b_);
  EXPECT_NEAR(z, 2.31, 0.01);
  EXPECT_NE(text.find(" A        B            10    12      " + FixedText(u, 7, 2) + "     <0.05\r\n"),
            std::string::npos)
      << text;
}

TEST_F(TwoSampleTest, TiesNoLongerBreakTheRankSumVariance) {
  // Two samples of 0/1 answers: heavy ties. The variance is that of the tie-corrected
  // normal approximation, so a clear difference is found and equal samples are not.
  const Series yes = {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const Series no = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  SetVariables({{"Yes", yes}, {"No", no}, {"Same", yes}, {"Ones", Series(20, 1.0)}, {"Ones2", Series(20, 1.0)}});
  const std::string text = Written([] { WilcoxonStat(); });
  test::ExpectGolden(text, "statistics/wilcoxon_ties.out");
  const auto [u, z] = RankSumByCounting(yes, no);
  EXPECT_NEAR(z, 5.62, 0.01);
  EXPECT_NE(text.find(" Yes      No           20    20      " + FixedText(u, 7, 2) + "     <0.001\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" Yes      Same         20    20       200.00     >0.05\r\n"), std::string::npos) << text;
  // All forty values equal: no spread at all, the variance is 0.
  EXPECT_NE(text.find(" Ones     Ones2        Ошибка: x/0\r\n"), std::string::npos) << text;
}

TEST_F(TwoSampleTest, EqualNamesAndReliableOnly) {
  SetVariables({{"AB", a_}, {"AB", b_}, {"ab", c_}, {"AB", a_}});
  StatConfig().EqualNamesOnly = true;
  test::ExpectGolden(Written([] { StudentStat(); }) + Written([] { WilcoxonStat(); }),
                     "statistics/two_sample_equal_names.out");
  StatConfig().EqualNamesOnly = false;
  StatConfig().ReliableOnly = true;
  SetVariables({{"A", a_},
                {"B", b_},
                {"C", c_},
                {"K", Series(10, 5.0)},
                {"S7", {1, 2, 3, 4, 5, 6, 7}},
                {"T7", {2, 3, 4, 5, 6, 7, 8}}});
  test::ExpectGolden(Written([] { StudentStat(); }) + Written([] { WilcoxonStat(); }),
                     "statistics/two_sample_reliable.out");
}

}  // namespace
}  // namespace tavrel
