#include "data/data_input.h"

#include <gtest/gtest.h>

#include "data/dataset.h"
#include "data/spreadsheet_input.h"
#include "shell/settings.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DataInputTest : public test::EngineTest {
 protected:
  LoadOutcome Load(const std::string& text, const std::string& name = "data.txt") {
    return LoadDataFile(WriteFile(name, text));
  }
  std::vector<double> Values(int v) const {
    return std::vector<double>(Data().DataValues[v].begin(), Data().DataValues[v].end());
  }
  std::vector<std::string> Names() const {
    return std::vector<std::string>(Data().VarNames.begin(), Data().VarNames.end());
  }
};

TEST_F(DataInputTest, ReadsNamesAndObservations) {
  const LoadOutcome out = Load("A B C\r\n1 2 3\r\n4 5 6\r\n");
  ASSERT_TRUE(out.loaded);
  EXPECT_EQ(out.warning, "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Data().NumObs, 2);
  EXPECT_EQ(Data().LastObs, 1);
  EXPECT_EQ(Data().FullLastVar, 2);
  EXPECT_EQ(Values(2), (std::vector<double>{3, 6}));
  EXPECT_EQ(Data().VarCounts[1], 2);
  EXPECT_EQ(Data().DataFileShortName, "data.txt");
}

TEST_F(DataInputTest, ShortLinesLeaveZeroLongLinesAreCutBlankLinesSkipped) {
  ASSERT_TRUE(Load("  A  B   C \n\n1 2\n\t\n4 5 6 7 8\n 1.5E1\t-2e-1 .5\n\n  \n").loaded);
  EXPECT_EQ(Data().NumObs, 3);
  EXPECT_EQ(Values(0), (std::vector<double>{1, 4, 15}));
  EXPECT_EQ(Values(1), (std::vector<double>{2, 5, -0.2}));
  EXPECT_EQ(Values(2), (std::vector<double>{0, 6, 0.5}));
}

TEST_F(DataInputTest, NamesAreCutToEightCharactersAndTabsStayInNames) {
  ASSERT_TRUE(Load("Temperature  x\ty\n1 2\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Temperat", "x\ty"}));
}

TEST_F(DataInputTest, ReadsNamesInUtf8OrWindows1251) {
  ASSERT_TRUE(Load("\xEF\xBB\xBFПульс Давление\n1 2\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс", "Давление"}));
  ASSERT_TRUE(Load("\xCF\xF3\xEB\xFC\xF1 \xC0\xC4\xE4\xE8\xE0\xF1\xF2\xEE\xEB\xE0\n1 2\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс", "АДдиасто"}));
}

TEST_F(DataInputTest, FailuresGiveTheirMessagesAndAnEmptyDataSet) {
  const std::pair<std::string, const char*> cases[] = {
      {"A B\n1,5 2\n", kBadNumbers},
      {"A B\n1 x\n", kBadNumbers},
      {"A\n", kNoNumbers},
      {"", kNoNumbers},
  };
  for (const auto& [text, message] : cases) {
    const LoadOutcome out = Load(text);
    EXPECT_FALSE(out.loaded) << text;
    EXPECT_EQ(out.warning, message) << text;
    EXPECT_EQ(Data().NumObs, 0) << text;
  }
  EXPECT_EQ(LoadDataFile(TempPath("missing.txt")).warning, kBadNumbers);
  EXPECT_EQ(Data().NumVar, 0);
}

TEST_F(DataInputTest, AcceptsAHundredNamesAndRefusesMore) {
  std::string names, values;
  for (int i = 0; i < 100; ++i) {
    names += "v" + std::to_string(i) + " ";
    values += "1 ";
  }
  ASSERT_TRUE(Load(names + "\n" + values + "\n").loaded);
  EXPECT_EQ(Data().NumVar, 100);
  const LoadOutcome out = Load(names + "extra\n" + values + "\n");
  EXPECT_EQ(out.warning, kRangeFailure);
  EXPECT_EQ(Data().NumVar, 0);
}

TEST_F(DataInputTest, RemovesEmptyVariablesUnlessAskedToKeepThem) {
  Config().EmptyValue = Data().EmptyValue = -999;
  ASSERT_TRUE(Load("A Z B\n1 0 -999\n2 0 4\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Values(1), (std::vector<double>{-999, 4}));  // the missing code is stored as it is
  EXPECT_EQ(Data().VarSteps.Count(), 2);
  Config().IsZeroVarInput = true;
  ASSERT_TRUE(Load("A Z B\n1 0 3\n2 0 4\n").loaded);
  EXPECT_EQ(Data().NumVar, 3);
}

TEST_F(DataInputTest, ALoadReplacesThePerLoadState) {
  Data().ProcessingNote = "old";
  Data().ResultsFileName = "/x.out";
  ASSERT_TRUE(Load("A\n1\n").loaded);
  EXPECT_EQ(Data().ProcessingNote, "");
  EXPECT_EQ(Data().ResultsFileName, "data.out");
}

TEST_F(DataInputTest, SpreadsheetNamesGoByTheirExtension) {
  const std::pair<const char*, bool> cases[] = {{"data.Xlsx", true}, {"a/b.xls", true},   {"c.XLSM", true},
                                                {"data.xl", false},  {"data.dbf", false}, {"x.xls/data", false},
                                                {"xls", false}};
  for (const auto& [name, spreadsheet] : cases) EXPECT_EQ(IsSpreadsheetName(name), spreadsheet) << name;
  EXPECT_EQ(Load("A\n1\n", "table.xlsx").readerWarning.rfind(kSpreadsheetFailure, 0), 0u);
}

TEST_F(DataInputTest, SplitsPaths) {
  EXPECT_EQ(FileNameOf("/home/u/Pulse.TXT"), "Pulse.TXT");
  EXPECT_EQ(DirectoryOf("/home/u/Pulse.TXT"), "/home/u/");
  EXPECT_EQ(DirectoryOf("Pulse.TXT"), "");
}

}  // namespace
}  // namespace tavrel
