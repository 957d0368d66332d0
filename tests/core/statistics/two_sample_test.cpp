#include "core/statistics/two_sample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "core/statistics/p_text.h"
#include "core/statistics/ranks.h"
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
  const std::string text = TableText(StudentStat);
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
  const std::string text = TableText(WilcoxonStat);
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
  const std::string text = TableText(WilcoxonStat);
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
  options_.EqualNamesOnly = true;
  test::ExpectGolden(TableText(StudentStat) + TableText(WilcoxonStat),
                     "statistics/two_sample_equal_names.out");
  options_.EqualNamesOnly = false;
  options_.ReliableOnly = true;
  SetVariables({{"A", a_},
                {"B", b_},
                {"C", c_},
                {"K", Series(10, 5.0)},
                {"S7", {1, 2, 3, 4, 5, 6, 7}},
                {"T7", {2, 3, 4, 5, 6, 7, 8}}});
  test::ExpectGolden(TableText(StudentStat) + TableText(WilcoxonStat),
                     "statistics/two_sample_reliable.out");
}

// The line of a pair from both samples ranked together by RankValues, as one
// series x then y: the reference for however the table forms its rank sums.
std::string RankSumLineByRanking(const Series& x, const Series& y) {
  Array<double> all(x.begin(), x.end());
  all.insert(all.end(), y.begin(), y.end());
  const double ties = RankValues(all, static_cast<std::int32_t>(all.size()) - 1);
  double second = 0;
  for (std::size_t i = x.size(); i < all.size(); ++i) second += all[static_cast<long long>(i)];
  const double n1 = x.size(), n2 = y.size(), n = n1 + n2, p = n1 * n2;
  const double u2 = p + n2 * (n2 + 1) / 2 - second;
  const double u = std::min(u2, p - u2);
  const std::string prefix = " X        Y       ";
  double z = std::fabs(u - p / 2) / std::sqrt(p * (n + 1) / 12);
  if (ties != 0) {
    const double l = p / (n * (n - 1)) * ((n * n * n - n) / 12 - ties / 6);
    if (l == 0) return prefix + "     Ошибка: x/0\r\n";
    if (l < 0) return prefix + "     Ошибка: sqrt(-x)\r\n";
    z = std::fabs(u - p / 2) / std::sqrt(l);
  }
  return prefix + "   " + IntText(x.size(), 4) + "  " + IntText(y.size(), 4) + "      " + FixedText(u, 7, 2) + "     " +
         PByZ(z, true) + "\r\n";
}

// The rank sums come from runs of equal values as long as no two neighbouring
// values lie within the tie distance; otherwise the tie rule groups the merged
// values. Either way the line is the one the ranking of both samples gives.
TEST_F(TwoSampleTest, RankSumLinesMatchTheRankingOfBothSamples) {
  const double inf = std::numeric_limits<double>::infinity();
  std::mt19937 rng(18);
  std::uniform_int_distribution<int> grid(0, 40), size(8, 60);
  const auto sample = [&](int count, double step, double offset) {
    Series s;
    for (int k = 0; k < count; ++k) s.push_back(grid(rng) * step + offset);
    return s;
  };
  struct Case {
    std::string what;
    Series x, y;
  };
  std::vector<Case> cases = {
      {"distinct", {1, 2, 3, 4, 5, 6, 7, 8}, {1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5}},
      {"values within the tie distance across the samples", {1, 2, 3, 4, 5, 6, 7, 8},
       {1 + 1e-11, 2 + 2e-11, 3 - 1e-11, 5, 5 + 5e-11, 9, 10, 11}},
      {"three values within the tie distance", {1, 1 + 4e-11, 2, 3, 4, 5, 6, 7}, {1 + 8e-11, 2, 2, 3, 9, 9, 9, 9}},
      {"zeros of both signs and infinities", {-0.0, 0.0, -inf, inf, 1, 1, 2, 3}, {0.0, -0.0, inf, inf, -inf, 5, 6, 7}},
  };
  // Decimals read from a text, counted by decimal: of other places in each
  // sample, far apart either way, below zero, and beside a sample that is not
  // decimals.
  const auto decimals = [&](int count, double per, double from) {
    Series s;
    for (int k = 0; k < count; ++k) s.push_back((grid(rng) + from * per) / per);
    return s;
  };
  cases.push_back({"two places and whole numbers", decimals(50, 100, 0), decimals(40, 1, 0)});
  cases.push_back({"decimals far above", decimals(50, 100, 0), decimals(40, 10, 1000)});
  cases.push_back({"decimals far below", decimals(50, 100, 0), decimals(40, 10, -1000)});
  cases.push_back({"decimals below zero", decimals(30, 10, -2), decimals(40, 10, -3)});
  cases.push_back({"decimals beside thirds", decimals(30, 10, 0), sample(40, 1.0 / 3, 0)});
  // Long samples of few distinct values: tie groups of thousands.
  cases.push_back({"long runs", sample(150000, 0.5, 0), sample(140000, 0.5, 0.25)});
  // and a tie distance apart, which the runs cannot rank: written out and merged
  cases.push_back({"long near runs", sample(150000, 1, 0), sample(140000, 1, 3e-11)});
  for (int trial = 0; trial < 30; ++trial) {
    // Few distinct values (long runs), then values a tie distance apart in one sample.
    cases.push_back({"runs " + std::to_string(trial), sample(size(rng), 0.5, 0), sample(size(rng), 0.5, 0.5 * (trial % 2))});
    cases.push_back({"near runs " + std::to_string(trial), sample(size(rng), 1, 0), sample(size(rng), 1, 3e-11 * (trial % 3))});
  }
  for (const Case& c : cases) {
    SetVariables({{"X", c.x}, {"Y", c.y}});
    const std::string text = TableText(WilcoxonStat);
    EXPECT_NE(text.find(RankSumLineByRanking(c.x, c.y)), std::string::npos) << c.what << "\n" << text;
  }
}

TEST_F(TwoSampleTest, PairsCarryTheirNumbers) {
  const PairTable student = StudentTests(Data(), false);
  ASSERT_EQ(student.Count(), 21);
  EXPECT_EQ(student[0].n, 10);
  EXPECT_EQ(student[0].n2, 12);
  EXPECT_NEAR(student[0].value, 2 / (std::sqrt((42.0 + 8.0) / 20) * std::sqrt(1.0 / 10 + 1.0 / 12)), 1e-9);
  EXPECT_EQ(student[2].outcome, PairOutcome::kSigmaZero);  // A and K
  const PairTable wilcoxon = WilcoxonTests(Data(), false);
  ASSERT_EQ(wilcoxon.Count(), 21);
  const auto [u, z] = RankSumByCounting(a_, b_);
  EXPECT_EQ(wilcoxon[0].value, u);
  EXPECT_EQ(wilcoxon[0].p, PByZ(z, true));
  const PairStatistic& small = wilcoxon[20];  // T7 and U8, the last pair
  EXPECT_EQ(std::make_pair(small.first, small.second), std::make_pair(5, 6));
  EXPECT_EQ(small.outcome, PairOutcome::kComputed);  // U8 holds 8 values
  const auto tooFew = std::find_if(wilcoxon.begin(), wilcoxon.end(),
                                   [](const PairStatistic& s) { return s.first == 4 && s.second == 5; });
  ASSERT_NE(tooFew, wilcoxon.end());
  EXPECT_EQ(tooFew->outcome, PairOutcome::kTooFew);  // S7 and T7: both below 8
  EXPECT_EQ(tooFew->n, 7);
  EXPECT_EQ(tooFew->n2, 7);
}

}  // namespace
}  // namespace tavrel
