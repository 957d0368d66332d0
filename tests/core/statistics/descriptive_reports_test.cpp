#include "core/statistics/descriptive_reports.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/shell/program_session.h"
#include "report_fixture.h"
#include "core/statistics/report_titles.h"

namespace tavrel {
namespace {

class DescriptiveReportsTest : public test::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    Data().EmptyValue = -999;
    // A plain series, a short name, a constant, a single value, a single zero,
    // no values at all, and a name of eight characters with a large spread.
    SetVariables({{"Пульс", {1, 2, 3}},
                  {"AД", {10, 12, 14, 16, 18, 20, 22, 24, 26, 100}},
                  {"C", {5, 5, 5, 5}},
                  {"One", {-4}},
                  {"Zero", {0}},
                  {"Empty", {}},
                  {"LongName", {1000.5, -2000.25, 3000.125, 1e6}}});
  }
};

TEST_F(DescriptiveReportsTest, ElementaryStatistics) {
  const std::string text = TableText(ElementaryStat);
  test::ExpectGolden(text, "statistics/elementary.out");
  // 1, 2, 3: N 3, mean 2, sigma 1, m = 1 / sqrt(2)
  EXPECT_NE(text.find(" Пульс          3     2.000      1.000     0.707\r\n"), std::string::npos) << text;
}

TEST_F(DescriptiveReportsTest, Variability) {
  test::ExpectGolden(TableText(Variability), "statistics/variability.out");
}

TEST_F(DescriptiveReportsTest, ThresholdLevelsWithAndWithoutTheUserLevel) {
  test::ExpectGolden(TableText(ThresholdLevels), "statistics/levels.out");
  options_.UserLevelOn = true;
  options_.UserLevel = 2.5;
  test::ExpectGolden(TableText(ThresholdLevels), "statistics/levels_user.out");
}

TEST_F(DescriptiveReportsTest, ProgressMovesPerVariable) {
  std::vector<std::pair<int, int>> steps;
  const ProgressFn record = [&steps](int position, int maximum) { steps.emplace_back(position, maximum); };
  TableText(ElementaryStat, record);
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps.front(), std::make_pair(1, 7));
  EXPECT_EQ(steps.back(), std::make_pair(7, 7));
  steps.clear();
  TableText(ThresholdLevels, record);
  ASSERT_EQ(steps.size(), 14u);
  EXPECT_EQ(steps[7], std::make_pair(8, 14));  // the lower table follows the upper one
  EXPECT_EQ(steps.back(), std::make_pair(14, 14));
}

TEST_F(DescriptiveReportsTest, ClusterHeading) {
  EXPECT_EQ(Written([](ResultsFileWriter& out) { TitleCluster(out); }), "\r\n\r\n КЛАСТЕРНЫЙ АНАЛИЗ\r\n___________________\r\n");
  EXPECT_EQ(Written([](ResultsFileWriter& out) { TitleElementary(out); }),
            " ЭЛЕМЕНТАРНАЯ СТАТИСТИКА\r\n" + Rule(48) + "\r\n Переменные     N    Среднее       @         m\r\n" +
                Rule(48) + "\r\n");
}

TEST_F(DescriptiveReportsTest, RowsCarryTheirNumbers) {
  const Variable pulse{"Пульс", 2, {1, 2, 3}};
  const ElementaryRow e = ElementaryOf(pulse, -999);
  EXPECT_EQ(e.n, 3);
  EXPECT_EQ(e.mean, 2);
  EXPECT_EQ(e.sigma, 1);
  EXPECT_DOUBLE_EQ(e.error, 1 / std::sqrt(2.0));
  const VariabilityRow v = VariabilityOf(pulse, -999);
  EXPECT_EQ(std::make_pair(v.min, v.max), std::make_pair(1.0, 3.0));
  // the limits of 3 values: e = 3.04 and f = sqrt(4 / 3), rounded to 4 decimals
  EXPECT_NEAR(v.low, 2 - 3.04 * std::sqrt(4.0 / 3), 5e-5);
  EXPECT_NEAR(v.high, 2 + 3.04 * std::sqrt(4.0 / 3), 5e-5);
  options_.UserLevelOn = true;
  options_.UserLevel = 2.5;
  for (const int sign : {+1, -1}) {
    const LevelsRow l = LevelsOf(pulse, -999, options_, sign);
    EXPECT_EQ(l.at1, 2 + sign * 1.0);
    EXPECT_EQ(l.at15, 2 + sign * 1.5);
    EXPECT_EQ(l.at2, 2 + sign * 2.0);
    EXPECT_EQ(l.user, 2 + sign * 2.5);
  }
  // A variable without values has the missing-value code for its estimates.
  const ElementaryRow none = ElementaryOf(Variable{"Empty", -1, {}}, -7);
  EXPECT_EQ(std::make_pair(none.mean, none.sigma), std::make_pair(-7.0, -7.0));
}

}  // namespace
}  // namespace tavrel
