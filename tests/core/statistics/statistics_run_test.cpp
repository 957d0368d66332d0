#include "core/statistics/statistics_run.h"

#include <gtest/gtest.h>

#include "core/data/program_version.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

class StatisticsRunTest : public test::ReportTest {
 protected:
  std::string Run(int stSel) {
    StatConfig().StSel = stSel;
    const std::string path = TempPath("run.out");
    ResultsFile().Open(path, false);
    failure_ = RunStatisticsReport(ProgramCaption(),
                                   [this](int position, int maximum) { progress_.emplace_back(position, maximum); });
    return test::ReadFile(path);
  }
  std::string failure_;
  std::vector<std::pair<int, int>> progress_;
};

TEST_F(StatisticsRunTest, MissingValuesRefuseAllButThePairwiseAnalyses) {
  Data().EmptyValue = -999;
  LoadText("A B\n1 2\n-999 3\n4 5\n");
  for (bool pairwise : {false, true}) {
    Data().PairwiseMissing = pairwise;
    for (int stSel = 0; stSel < kAnalysisCount; ++stSel) {
      StatConfig().StSel = stSel;
      const bool runs = pairwise && (stSel == 4 || stSel == 5 || stSel == 7 || stSel == 9);
      EXPECT_EQ(StatisticsRefusal(), runs ? "" : kMissingNotRemoved) << stSel << " " << pairwise;
      EXPECT_TRUE(Data().HasMissing);
    }
  }
  LoadText("A B\n1 2\n3 3\n4 5\n");
  for (int stSel = 0; stSel < kAnalysisCount; ++stSel) {
    StatConfig().StSel = stSel;
    EXPECT_EQ(StatisticsRefusal(), "");
    EXPECT_FALSE(Data().HasMissing);
  }
}

TEST_F(StatisticsRunTest, WritesTheTitleBlockTheVariablesAndTheTableThenWidens) {
  LoadText("Пульс АД ЧСС\n60 120 1\n70 130 2\n80 110 4\n", "pulse.txt");
  Data().DataFileName = "/data/pulse.txt";
  Data().ProcessingNote = "Логарифм.";
  NarrowTo(Data(), {1, 0});
  const std::string text = Run(kElementary);
  EXPECT_EQ(failure_, "");
  test::ExpectGolden(text, "statistics/run_elementary.out");
  EXPECT_EQ(Data().LastVar, 2);  // widened again
  EXPECT_EQ(Data().NumVar, 3);
  EXPECT_FALSE(ResultsFile().IsOpen());
  EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));

  Data().KeepSelection = true;
  NarrowTo(Data(), {0});
  progress_.clear();
  Data().PairwiseMissing = true;
  EXPECT_NE(Run(kPearson).find(" КОЭФФИЦИЕНТ КОРРЕЛЯЦИИ"), std::string::npos);
  EXPECT_EQ(Data().LastVar, 0);  // the selection is kept
  EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{}));
  // the sentence of the pairwise deletion appears in the title blocks after the run that deleted
  WidenVariables(Data());
  EXPECT_EQ(Run(kSpearman).find("Пропуски удалены попарно."), std::string::npos);
  EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_NE(Run(kElementary).find("\r\nЛогарифм.Пропуски удалены попарно.\r\n"), std::string::npos);
}

TEST_F(StatisticsRunTest, AFailureKeepsTheLinesWrittenAndNamesTheMessage) {
  // A value of 1e300 gives an infinite spread, and the degrees of freedom of the
  // unequal-variance form cannot be rounded to an integer.
  SetVariables({{"A", {1, 2, 3, 4}}, {"B", {2, 3, 5, 9}}, {"C", {1, 2, 1e300, 4}}});
  const std::string text = Run(kStudent);
  EXPECT_NE(failure_.find("вне диапазона"), std::string::npos) << failure_;
  // the title block, the heading and the line of A and B stay; no line for A and C, no empty lines
  EXPECT_NE(text.find(" ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО СТЬЮДЕНТУ\r\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\r\n A        B             4     4     1.342     >0.05\r\n")) << text;
  EXPECT_FALSE(ResultsFile().IsOpen());
}

}  // namespace
}  // namespace tavrel
