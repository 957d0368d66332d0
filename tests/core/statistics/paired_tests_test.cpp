#include "core/statistics/paired_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "core/statistics/p_text.h"
#include "core/statistics/ranks.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

class PairedTestsTest : public test::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    Data().EmptyValue = -1;
    SetVariables({{"X", {10, 12, 14, 16}},
                  {"Y", {9, 10, 11, 12}},
                  {"Same", {10, 12, 14, 16}},
                  {"Five", {1, 2, 3, 4, 5}},
                  {"Shift", {9, 11, 13, 15}}});
  }
};

TEST_F(PairedTestsTest, PairedStudentTable) {
  const std::string text = TableText(PairStudentStat);
  test::ExpectGolden(text, "statistics/pair_student.out");
  // d = 1, 2, 3, 4: S = 10, S2 = 30, w = 20, t = 10 / sqrt(20 / 3), read at 3 degrees of freedom
  EXPECT_NE(text.find(" X        Y             4  " + FixedText(10 / std::sqrt(20.0 / 3), 8, 3) + "     <0.05 \r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" X        Y             4     3.873"), std::string::npos);
  EXPECT_NE(text.find(" X        Same         Ошибка: одинаковые массивы\r\n"), std::string::npos);
  EXPECT_NE(text.find(" X        Shift         4      +Inf     <0.001\r\n"), std::string::npos);  // every d is 1
}

TEST_F(PairedTestsTest, SignedRankTable) {
  const std::string text = TableText(PairWilcoxonStat);
  test::ExpectGolden(text, "statistics/pair_wilcoxon.out");
  // ranks 1..4 all positive: T = 0, mean 5, variance 7.5
  EXPECT_NE(text.find(" X        Y             4    " + FixedText(5 / std::sqrt(7.5), 7, 2) + "     >0.05\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" X        Y             4       1.83"), std::string::npos);
}

TEST_F(PairedTestsTest, ZeroDifferencesCountInNButNotInTheRanks) {
  SetVariables({{"P", {0, 5, -5}}, {"Q", {0, 0, 0}}, {"One", {3}}, {"Two", {1}}});
  const std::string text = TableText(PairWilcoxonStat) + TableText(PairStudentStat);
  test::ExpectGolden(text, "statistics/paired_small.out");
  // m = 2, ranks 1.5 and 1.5: T = 1.5, mean 1.5, z = 0
  EXPECT_NE(text.find(" P        Q             3       0.00     >0.05\r\n"), std::string::npos) << text;
  // a single pair: t = 2 / sqrt(0 / 0)
  EXPECT_NE(text.find(" One      Two           1       Nan     >0.05\r\n"), std::string::npos) << text;
}

TEST_F(PairedTestsTest, ReliableOnlyEqualNamesAndPairwiseMissing) {
  options_.ReliableOnly = true;
  Data().PairwiseMissing = true;
  SetVariables(
      {{"X", {10, 12, 14, 16, -1}}, {"Y", {9, 10, 11, 12, 50}}, {"Same", {10, 12, 14, 16, 7}}, {"Five", {1, 2, 3, 4}}});
  test::ExpectGolden(TableText(PairStudentStat) + TableText(PairWilcoxonStat),
                     "statistics/paired_reliable.out");
  options_.ReliableOnly = false;
  options_.EqualNamesOnly = true;
  SetVariables({{"AB", {1, 2, 3, 4}}, {"ab", {2, 3, 4, 5}}, {"AB", {3, 5, 7, 9}}});
  test::ExpectGolden(TableText(PairStudentStat) + TableText(PairWilcoxonStat),
                     "statistics/paired_equal_names.out");
}

// The signed-rank line of a pair from the sizes of its differences ranked by
// RankValues: the reference for however the table sorts them.
std::string SignedRankLineByRanking(const std::vector<double>& x, const std::vector<double>& y) {
  Array<double> sizes;
  std::vector<double> differences;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double d = x[i] - y[i];
    if (d == 0) continue;
    differences.push_back(d);
    sizes.push_back(std::fabs(d));
  }
  RankValues(sizes, static_cast<std::int32_t>(sizes.size()) - 1);
  double plus = 0, minus = 0;
  for (std::size_t l = 0; l < differences.size(); ++l) {
    if (differences[l] > 0) plus += sizes[static_cast<long long>(l)];
    if (differences[l] < 0) minus -= sizes[static_cast<long long>(l)];
  }
  const double t = plus < std::fabs(minus) ? plus : std::fabs(minus);
  const double m = static_cast<double>(sizes.size());
  const double z = std::fabs(t - m * (m + 1) / 4) / std::sqrt(m * (m + 1) * (2 * m + 1) / 24);
  return " X        Y          " + IntText(static_cast<std::int64_t>(x.size()), 4) + "    " + FixedText(z, 7, 2) + "     " +
         PByZ(z, true) + "\r\n";
}

// However the sizes are spread (few or many, close together, one far off,
// infinite), the table ranks them as RankValues does.
TEST_F(PairedTestsTest, SignedRankLinesMatchTheRankingOfTheSizes) {
  const double inf = std::numeric_limits<double>::infinity();
  std::mt19937 rng(1812);
  std::normal_distribution<double> value(100, 15);
  // Two-decimal values: equal decimal differences come out as doubles a rounding apart.
  const auto measured = [&](int count) {
    std::vector<double> v;
    for (int k = 0; k < count; ++k) v.push_back(std::round(value(rng) * 100) / 100);
    return v;
  };
  struct Case {
    std::string what;
    std::vector<double> x, y;
  };
  std::vector<Case> cases;
  for (const int count : {20, 63, 64, 200, 3000}) {
    cases.push_back({"measured " + std::to_string(count), measured(count), measured(count)});
    Case rounded{"whole numbers " + std::to_string(count), measured(count), measured(count)};
    for (double& v : rounded.x) v = std::round(v / 10);
    for (double& v : rounded.y) v = std::round(v / 10);
    cases.push_back(rounded);
    Case far = cases[cases.size() - 2];
    far.what = "one far off " + std::to_string(count);
    far.x[0] = 1e9;  // every other size shares the lowest buckets
    cases.push_back(far);
    Case infinite = cases[cases.size() - 3];
    infinite.what = "not finite " + std::to_string(count);
    infinite.x[1] = inf;
    infinite.y[2] = -inf;
    cases.push_back(infinite);
  }
  for (const Case& c : cases) {
    SetVariables({{"X", c.x}, {"Y", c.y}});
    const std::string text = TableText(PairWilcoxonStat);
    EXPECT_NE(text.find(SignedRankLineByRanking(c.x, c.y)), std::string::npos) << c.what << "\n" << text;
  }
}

TEST_F(PairedTestsTest, PairsCarryTheirNumbers) {
  const PairTable student = PairStudentTests(Data(), false);
  ASSERT_EQ(student.Count(), 10);
  // X and Y: d = 1, 2, 3, 4, t = 10 / sqrt(20 / 3)
  EXPECT_EQ(student[0].outcome, PairOutcome::kComputed);
  EXPECT_EQ(student[0].n, 4);
  EXPECT_DOUBLE_EQ(student[0].value, 10 / std::sqrt(20.0 / 3));
  EXPECT_EQ(student[0].p, "<0.05 ");
  EXPECT_EQ(student[1].outcome, PairOutcome::kIdentical);     // X and Same
  EXPECT_EQ(student[2].outcome, PairOutcome::kUnequalSizes);  // X and Five
  const PairTable wilcoxon = PairWilcoxonTests(Data(), false);
  ASSERT_EQ(wilcoxon.Count(), 10);
  EXPECT_DOUBLE_EQ(wilcoxon[0].value, 5 / std::sqrt(7.5));  // T = 0, mean 5, variance 7.5
  EXPECT_EQ(wilcoxon[0].p, ">0.05");
  EXPECT_EQ(wilcoxon[1].outcome, PairOutcome::kIdentical);
  for (std::size_t i = 0; i < student.size(); ++i) {  // the same pairs in the same order
    EXPECT_EQ(wilcoxon[i].first, student[i].first);
    EXPECT_EQ(wilcoxon[i].second, student[i].second);
  }
  // Only equally named variables are paired when asked for.
  SetVariables({{"AB", {1, 2, 3, 4}}, {"ab", {2, 3, 4, 5}}, {"AB", {3, 5, 7, 9}}});
  for (const PairTable& named : {PairStudentTests(Data(), true), PairWilcoxonTests(Data(), true)}) {
    ASSERT_EQ(named.Count(), 1);
    EXPECT_EQ(std::make_pair(named[0].first, named[0].second), std::make_pair(0, 2));
  }
}

// The signed-rank table works on two threads; the processing note is written
// once, on the calling thread, whichever pairs were deleted from.
TEST_F(PairedTestsTest, PairwiseDeletionIsNotedOnceByTheTwoThreadTable) {
  Data().PairwiseMissing = true;
  Data().PairwiseOutliers = true;
  std::vector<test::TestVariable> vars;
  for (int v = 0; v < 12; ++v) {
    std::vector<double> values;
    for (int i = 0; i < 40; ++i) values.push_back(i % 5 == v % 5 ? -1 : (i * 7 + v * 3) % 11);
    vars.push_back({"V" + std::to_string(v), values});
  }
  SetVariables(vars);
  TableText(PairWilcoxonStat);
  EXPECT_EQ(Data().ProcessingNote, "Пропуски удалены попарно. Всплески удалены попарно.");
}

}  // namespace
}  // namespace tavrel
