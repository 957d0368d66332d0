#include "core/statistics/statistics_run.h"

#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/base/program_version.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

class StatisticsRunTest : public test::ReportTest {
 protected:
  std::string Run(int stSel, bool append = false) {
    options_.StSel = stSel;
    const std::string path = TempPath("run.out");
    out_.Open(path, append);
    failure_ = RunStatisticsReport(out_, Data(), options_, ProgramCaption(), [this](int position, int maximum) {
      if (position == failAt_) throw RangeError("Сбой на шаге " + std::to_string(position));
      progress_.emplace_back(position, maximum);
    });
    return test::ReadFile(path);
  }
  ResultsFileWriter out_;
  std::string failure_;
  std::vector<std::pair<int, int>> progress_;
  int failAt_ = 0;  // the step of the progress that fails; none when 0
};

TEST_F(StatisticsRunTest, MissingValuesRefuseAllButThePairwiseAnalyses) {
  Data().EmptyValue = -999;
  LoadText("A B\n1 2\n-999 3\n4 5\n");
  for (bool pairwise : {false, true}) {
    Data().PairwiseMissing = pairwise;
    for (int stSel = 0; stSel < kAnalysisCount; ++stSel) {
      options_.StSel = stSel;
      const bool runs = pairwise && (stSel == 4 || stSel == 5 || stSel == 7 || stSel == 9);
      EXPECT_EQ(StatisticsRefusal(Data(), options_), runs ? "" : "Пропуски не удалены. Переменные с пропусками: A.")
          << stSel << " " << pairwise;
      EXPECT_TRUE(Data().HasMissing);
    }
  }
  LoadText("A B\n1 2\n3 3\n4 5\n");
  for (int stSel = 0; stSel < kAnalysisCount; ++stSel) {
    options_.StSel = stSel;
    EXPECT_EQ(StatisticsRefusal(Data(), options_), "");
    EXPECT_FALSE(Data().HasMissing);
  }
}

TEST_F(StatisticsRunTest, TheRefusalNamesAtMostTenVariablesHoldingMissingValues) {
  Data().EmptyValue = -999;
  struct Case {
    std::string text;
    std::string refusal;
  };
  std::string header = "A", row = "1", gaps = "-999";
  for (int v = 2; v <= 12; ++v) {
    header += " V" + std::to_string(v);
    row += " 1";
    gaps += " -999";
  }
  const Case cases[] = {
      {"A B C\n1 -999 3\n4 5 -999\n", "Пропуски не удалены. Переменные с пропусками: B, C."},
      {header + "\n" + row + "\n" + gaps + "\n",
       "Пропуски не удалены. Переменные с пропусками: A, V2, V3, V4, V5, V6, V7, V8, V9, V10 и еще 2."},
  };
  for (const Case& c : cases) {
    LoadText(c.text);
    EXPECT_EQ(StatisticsRefusal(Data(), options_), c.refusal);
  }
  // Only the variables in force count.
  LoadText("A B C\n1 -999 3\n4 5 -999\n");
  NarrowTo(Data(), {2});
  EXPECT_EQ(StatisticsRefusal(Data(), options_), "Пропуски не удалены. Переменные с пропусками: C.");
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
  EXPECT_FALSE(out_.IsOpen());
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
  EXPECT_EQ(progress_, (std::vector<std::pair<int, int>>{{1, 3}, {3, 3}}));  // a column of pairs at a time
  EXPECT_NE(Run(kElementary).find("\r\nЛогарифм.Пропуски удалены попарно.\r\n"), std::string::npos);
}

TEST_F(StatisticsRunTest, AFailureLeavesTheResultsFileAsItWasAndNamesTheMessage) {
  // The failure comes with the second pair, A and C.
  SetVariables({{"A", {1, 2, 3, 4}}, {"B", {2, 3, 5, 9}}, {"C", {1, 2, 1e300, 4}}});
  failAt_ = 2;
  for (const bool append : {false, true}) {
    WriteFile("run.out", "earlier results\r\n");
    EXPECT_EQ(Run(kStudent, append), "earlier results\r\n") << append;
    EXPECT_EQ(failure_, "Сбой на шаге 2");
    EXPECT_FALSE(out_.IsOpen());
  }
  // Without the failure the same table completes after the earlier results.
  failAt_ = 0;
  NarrowTo(Data(), {0, 1});
  const std::string text = Run(kStudent, true);
  EXPECT_EQ(text.rfind("earlier results\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n A        B             4     4     1.342     >0.05\r\n"), std::string::npos) << text;
  EXPECT_EQ(failure_, "");
}

TEST_F(StatisticsRunTest, ATestThatCannotBeComputedIsWrittenAndTheTableGoesOn) {
  // A value of 1e300 gives a spread too large to square: the degrees of freedom
  // of the unequal-variance form are undefined, and so is the test.
  SetVariables({{"A", {1, 2, 3, 4}}, {"B", {2, 3, 5, 9}}, {"C", {1, 2, 1e300, 4}}});
  const std::string text = Run(kStudent);
  EXPECT_EQ(failure_, "");
  EXPECT_TRUE(text.ends_with(" A        B             4     4     1.342     >0.05\r\n"
                             " A        C             4     4       Nan     >0.05\r\n"
                             " B        C             4     4       Nan     >0.05\r\n\r\n\r\n"))
      << text;
}

}  // namespace
}  // namespace tavrel
