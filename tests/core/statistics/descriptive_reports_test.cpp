#include "core/statistics/descriptive_reports.h"

#include <gtest/gtest.h>

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
  const std::string text = Written([&](ResultsFileWriter& out) { ElementaryStat(out, Data()); });
  test::ExpectGolden(text, "statistics/elementary.out");
  // 1, 2, 3: N 3, mean 2, sigma 1, m = 1 / sqrt(2)
  EXPECT_NE(text.find(" Пульс          3     2.000      1.000     0.707\r\n"), std::string::npos) << text;
}

TEST_F(DescriptiveReportsTest, Variability) {
  test::ExpectGolden(Written([&](ResultsFileWriter& out) { Variability(out, Data()); }), "statistics/variability.out");
}

TEST_F(DescriptiveReportsTest, ThresholdLevelsWithAndWithoutTheUserLevel) {
  test::ExpectGolden(Written([&](ResultsFileWriter& out) { ThresholdLevels(out, Data(), options_); }), "statistics/levels.out");
  options_.UserLevelOn = true;
  options_.UserLevel = 2.5;
  test::ExpectGolden(Written([&](ResultsFileWriter& out) { ThresholdLevels(out, Data(), options_); }), "statistics/levels_user.out");
}

TEST_F(DescriptiveReportsTest, ProgressMovesPerVariable) {
  std::vector<std::pair<int, int>> steps;
  const ProgressFn record = [&steps](int position, int maximum) { steps.emplace_back(position, maximum); };
  Written([&](ResultsFileWriter& out) { ElementaryStat(out, Data(), record); });
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps.front(), std::make_pair(1, 7));
  EXPECT_EQ(steps.back(), std::make_pair(7, 7));
  steps.clear();
  Written([&](ResultsFileWriter& out) { ThresholdLevels(out, Data(), options_, record); });
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

}  // namespace
}  // namespace tavrel
