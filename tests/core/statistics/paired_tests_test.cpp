#include "statistics/paired_tests.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/numbers.h"
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
  const std::string text = Written([] { PairStudentStat(); });
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
  const std::string text = Written([] { PairWilcoxonStat(); });
  test::ExpectGolden(text, "statistics/pair_wilcoxon.out");
  // ranks 1..4 all positive: T = 0, mean 5, variance 7.5
  EXPECT_NE(text.find(" X        Y             4    " + FixedText(5 / std::sqrt(7.5), 7, 2) + "     >0.05\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" X        Y             4       1.83"), std::string::npos);
}

TEST_F(PairedTestsTest, ZeroDifferencesCountInNButNotInTheRanks) {
  SetVariables({{"P", {0, 5, -5}}, {"Q", {0, 0, 0}}, {"One", {3}}, {"Two", {1}}});
  const std::string text = Written([] { PairWilcoxonStat(); }) + Written([] { PairStudentStat(); });
  test::ExpectGolden(text, "statistics/paired_small.out");
  // m = 2, ranks 1.5 and 1.5: T = 1.5, mean 1.5, z = 0
  EXPECT_NE(text.find(" P        Q             3       0.00     >0.05\r\n"), std::string::npos) << text;
  // a single pair: t = 2 / sqrt(0 / 0)
  EXPECT_NE(text.find(" One      Two           1       Nan     >0.05\r\n"), std::string::npos) << text;
}

TEST_F(PairedTestsTest, ReliableOnlyEqualNamesAndPairwiseMissing) {
  StatConfig().ReliableOnly = true;
  Data().PairwiseMissing = true;
  SetVariables(
      {{"X", {10, 12, 14, 16, -1}}, {"Y", {9, 10, 11, 12, 50}}, {"Same", {10, 12, 14, 16, 7}}, {"Five", {1, 2, 3, 4}}});
  test::ExpectGolden(Written([] { PairStudentStat(); }) + Written([] { PairWilcoxonStat(); }),
                     "statistics/paired_reliable.out");
  StatConfig().ReliableOnly = false;
  StatConfig().EqualNamesOnly = true;
  SetVariables({{"AB", {1, 2, 3, 4}}, {"ab", {2, 3, 4, 5}}, {"AB", {3, 5, 7, 9}}});
  test::ExpectGolden(Written([] { PairStudentStat(); }) + Written([] { PairWilcoxonStat(); }),
                     "statistics/paired_equal_names.out");
}

}  // namespace
}  // namespace tavrel
