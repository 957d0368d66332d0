#include "core/statistics/correlation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

// Pearson's r and Spearman's rho by their textbook formulas.
double PearsonR(const std::vector<double>& x, const std::vector<double>& y) {
  const double n = x.size();
  const double mx = std::accumulate(x.begin(), x.end(), 0.0) / n, my = std::accumulate(y.begin(), y.end(), 0.0) / n;
  double sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

class CorrelationTest : public test::ReportTest {
 protected:
  const std::vector<double> x_ = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  const std::vector<double> y_ = {2, 4, 5, 4, 5, 7, 8, 9, 10, 12};
  const std::vector<double> noise_ = {3, 9, 1, 7, 5, 2, 8, 4, 10, 6};

  void SetUp() override {
    ReportTest::SetUp();
    Data().EmptyValue = -999;
    SetVariables({{"X", x_},
                  {"Y", y_},
                  {"Const", std::vector<double>(10, 5.0)},
                  {"Eleven", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
                  {"Down", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
                  {"Noise", noise_}});
  }
};

TEST_F(CorrelationTest, PearsonTable) {
  const std::string text = TableText(PearsonStat);
  test::ExpectGolden(text, "statistics/pearson.out");
  // r by the textbook formula (the table's r uses sigmas from deviations rounded to 4 decimals,
  // which are exact here); t = r sqrt(8) / sqrt(1 - r^2) = 11.6, beyond 5.04 of 8 degrees of freedom
  const double r = PearsonR(x_, y_);
  EXPECT_NE(text.find(" X        Y            10    " + FixedText(r, 6, 3) + "      <0.001\r\n"), std::string::npos)
      << text;
  EXPECT_NEAR(r, 0.972, 0.001);
  EXPECT_NE(text.find(" X        Noise        10    " + FixedText(PearsonR(x_, noise_), 6, 3) + "      >0.05\r\n"),
            std::string::npos);
}

TEST_F(CorrelationTest, SpearmanTable) {
  const std::string text = TableText(SpearmanStat);
  test::ExpectGolden(text, "statistics/spearman.out");
  // X and Noise have no ties: rho = 1 - 6 D / (n^3 - n)
  double d = 0;
  for (std::size_t i = 0; i < x_.size(); ++i) d += (x_[i] - noise_[i]) * (x_[i] - noise_[i]);
  EXPECT_NE(text.find(" X        Noise        10  " + FixedText(1 - 6 * d / 990, 8, 3)), std::string::npos) << text;
}

TEST_F(CorrelationTest, ReliableOnlyKeepsSignificantResultsAndErrors) {
  options_.ReliableOnly = true;
  test::ExpectGolden(TableText(PearsonStat), "statistics/pearson_reliable.out");
  test::ExpectGolden(TableText(SpearmanStat), "statistics/spearman_reliable.out");
}

TEST_F(CorrelationTest, PairwiseDeletionShortensThePair) {
  Data().EmptyValue = -1;
  Data().PairwiseMissing = true;
  SetVariables({{"A", {-1, 2, 3, 4, 5, 6}}, {"B", {1, 2, 3, 4, 5, 7}}, {"C", {6, 5, 4, 3, -1, 1}}});
  const std::string pearson = TableText(PearsonStat);
  // A and B lose position 0, which receives the last pair: (6, 7), (2, 2), (3, 3), (4, 4), (5, 5)
  EXPECT_NE(pearson.find(" A        B             5    " + FixedText(PearsonR({6, 2, 3, 4, 5}, {7, 2, 3, 4, 5}), 6, 3)),
            std::string::npos)
      << pearson;
  EXPECT_NE(pearson.find(" A        C             4    -1.000      <0.001"), std::string::npos) << pearson;
  EXPECT_EQ(Data().ProcessingNote, "Пропуски удалены попарно.");
  Data().PairwiseOutliers = true;
  test::ExpectGolden(TableText(SpearmanStat), "statistics/spearman_pairwise.out");
  EXPECT_EQ(Data().ProcessingNote, "Пропуски удалены попарно. Всплески удалены попарно.");
}

TEST_F(CorrelationTest, LargeSamplesTakeTheirTFromAllPairs) {
  // y = x -/+ c alternately gives r of about 0.195; with 100 pairs t uses sqrt(N - 2)
  // (1.969, not significant at 1.98), with 101 pairs sqrt(N) (1.993, significant).
  const auto series = [](int n, double c) {
    std::vector<double> x, y;
    for (int i = 0; i < n; ++i) {
      x.push_back(i);
      y.push_back(i + (i % 2 ? c : -c));
    }
    return std::pair{x, y};
  };
  const auto [x100, y100] = series(100, 159);
  const auto [x101, y101] = series(101, 147);
  SetVariables({{"X100", x100}, {"Y100", y100}, {"X101", x101}, {"Y101", y101}});
  const std::string text = TableText(PearsonStat);
  EXPECT_NE(text.find(" X100     Y100        100     0.195      >0.05\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" X101     Y101        101     0.195      <0.05 \r\n"), std::string::npos) << text;
}

// The pairs as computed, before any text: n, the coefficient, its t and p, or
// the outcome that the line reports instead.
TEST_F(CorrelationTest, PairsCarryTheirNumbers) {
  const PairTable pearson = PearsonCorrelations(Data());
  ASSERT_EQ(pearson.Count(), 15);  // every pair of the six variables
  const PairStatistic& xy = pearson[0];
  EXPECT_EQ(std::make_pair(xy.first, xy.second), std::make_pair(0, 1));
  EXPECT_EQ(xy.outcome, PairOutcome::kComputed);
  EXPECT_EQ(xy.n, 10);
  EXPECT_NEAR(xy.value, PearsonR(x_, y_), 1e-12);
  EXPECT_NEAR(xy.t, xy.value * std::sqrt(8.0) / std::sqrt(1 - xy.value * xy.value), 1e-9);
  EXPECT_EQ(xy.p, "<0.001");
  EXPECT_EQ(pearson[1].outcome, PairOutcome::kSigmaZero);     // X and Const
  EXPECT_EQ(pearson[2].outcome, PairOutcome::kUnequalSizes);  // X and Eleven
  const PairStatistic& down = pearson[3];                     // X and Down: r = -1, t by |1 - r^2| = 0
  EXPECT_EQ(down.outcome, PairOutcome::kComputed);
  EXPECT_NEAR(down.value, -1, 1e-12);
  EXPECT_EQ(down.p, "<0.001");

  const PairTable spearman = SpearmanCorrelations(Data());
  ASSERT_EQ(spearman.Count(), 15);
  const PairStatistic& noise = spearman[4];  // X and Noise, no ties: rho = 1 - 6 D / (n^3 - n)
  EXPECT_EQ(std::make_pair(noise.first, noise.second), std::make_pair(0, 5));
  double d = 0;
  for (std::size_t i = 0; i < x_.size(); ++i) d += (x_[i] - noise_[i]) * (x_[i] - noise_[i]);
  EXPECT_NEAR(noise.value, 1 - 6 * d / 990, 1e-12);
  EXPECT_NEAR(noise.t, std::fabs(noise.value) * std::sqrt(8.0) / std::sqrt(1 - noise.value * noise.value), 1e-9);
  EXPECT_EQ(noise.p, ">0.05");
  const PairStatistic& constant = spearman[1];  // X and Const: the tie correction leaves rho 0
  EXPECT_EQ(constant.outcome, PairOutcome::kComputed);
  EXPECT_EQ(constant.value, 0);
  EXPECT_EQ(constant.p, ">0.05");
  EXPECT_EQ(spearman[2].outcome, PairOutcome::kUnequalSizes);
  EXPECT_EQ(Data().ProcessingNote, "");  // computing alone records nothing
}

// However few ranks are kept at a time (one row of pairs, two, four, all),
// the table is the same, pair for pair, in the same order, with its progress
// reaching every pair; with pairs that drop missing values among those that
// keep their own too.
TEST_F(CorrelationTest, SpearmanGivesTheSameTableWhateverRanksItKeeps) {
  for (const bool pairwise : {false, true}) {
    SCOPED_TRACE(pairwise);
    Data().PairwiseMissing = pairwise;
    if (pairwise) Data().DataValues[5][3] = Data().EmptyValue;  // Noise loses a value
    const PairTable all = SpearmanCorrelations(Data());
    const std::size_t row = 11 * sizeof(std::uint32_t);  // the ranks of the longest variable
    for (const std::size_t kept : {row, 2 * row, 4 * row}) {
      SCOPED_TRACE(kept / row);
      std::vector<std::pair<int, int>> progress;
      const PairTable some = SpearmanCorrelations(Data(), [&](int at, int of) { progress.emplace_back(at, of); }, kept);
      ASSERT_EQ(some.Count(), all.Count());
      for (long long i = 0; i < all.Count(); ++i) {
        EXPECT_EQ(std::make_pair(some[i].first, some[i].second), std::make_pair(all[i].first, all[i].second)) << i;
        EXPECT_EQ(some[i].outcome, all[i].outcome) << i;
        EXPECT_EQ(some[i].n, all[i].n) << i;
        EXPECT_EQ(some[i].value, all[i].value) << i;
        EXPECT_EQ(some[i].t, all[i].t) << i;
        EXPECT_EQ(some[i].p, all[i].p) << i;
      }
      ASSERT_FALSE(progress.empty());
      EXPECT_EQ(progress.back(), std::make_pair(15, 15));
      EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    }
  }
}

}  // namespace
}  // namespace tavrel
