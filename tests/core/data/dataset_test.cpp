#include "core/data/dataset.h"

#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "core/data/session.h"
#include "core/shell/settings.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DataSetTest : public test::EngineTest {
 protected:
  // A data set of the given variables, each with its own values.
  void Make(const std::vector<std::pair<std::string, std::vector<double>>>& vars) {
    DataSet& d = Data();
    d.NumVar = static_cast<int>(vars.size());
    d.LastVar = d.NumVar - 1;
    d.FullLastVar = d.LastVar;
    d.NumObs = static_cast<std::int32_t>(vars[0].second.size());
    d.LastObs = d.NumObs - 1;
    for (const auto& [name, values] : vars) {
      d.VarNames.push_back(name);
      d.DataValues.push_back(Array<double>(values.begin(), values.end()));
      d.VarCounts.push_back(static_cast<std::int32_t>(values.size()));
    }
  }
  std::vector<std::string> Names() const {
    return std::vector<std::string>(Data().VarNames.begin(), Data().VarNames.end());
  }
};

TEST_F(DataSetTest, NiceStepTakesTheFirstBoundTheRangeIsBelow) {
  const std::pair<double, double> cases[] = {{0, 0.1},       {4, 0.5},     {5, 1},          {19.9, 2},
                                             {149, 15},      {2400, 250},  {24999, 2500},   {149999, 15000},
                                             {150000, 50000}, {1e9, 50000}};
  for (const auto& [range, step] : cases) EXPECT_EQ(NiceStep(range), step) << range;
}

TEST_F(DataSetTest, ComputeVarStepsFollowsTheScaleType) {
  Make({{"A", {3, 7, 5}}, {"B", {-8, -2, -999}}, {"C", {0, 40, 20}}});
  Data().EmptyValue = -999;
  ComputeVarSteps(Data(), Config());
  EXPECT_EQ(Data().VarSteps[0], 0.5);  // range 4
  EXPECT_EQ(Data().VarSteps[1], 1);    // range 6, the missing value ignored
  Config().ZeroY = true;
  ComputeVarSteps(Data(), Config());
  EXPECT_EQ(Data().VarSteps[1], 1);  // all negative: |min| = 8
  Config().ZeroY = false;
  Config().YScaleType = 1;
  Config().StepY = 10;
  ComputeVarSteps(Data(), Config());
  EXPECT_DOUBLE_EQ(Data().VarSteps[2], 4);
  Config().YScaleType = 2;
  Data().VarSteps[2] = 7;
  ComputeVarSteps(Data(), Config());
  EXPECT_EQ(Data().VarSteps[2], 7);  // chosen by hand, kept
}

TEST_F(DataSetTest, RemoveEmptyVarsKeepsDataThatMerelySumsToZero) {
  Data().EmptyValue = -999;
  Make({{"Zeros", {0, 0, 0}},
        {"Centred", {5, -5, 0}},
        {"Missing", {-999, -999, -999}},
        {"Mixed", {0, -999, 0}},
        {"Real", {1, 2, 3}}});
  ASSERT_TRUE(RemoveEmptyVars(Data()));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Centred", "Real"}));
  EXPECT_EQ(Data().NumVar, 2);
  EXPECT_EQ(Data().LastVar, 1);
  EXPECT_EQ(Data().FullLastVar, 1);
  EXPECT_EQ(Data().DataValues.Count(), 2);
  EXPECT_EQ(Data().DataValues[1][2], 3);
}

TEST_F(DataSetTest, RemoveEmptyVarsInANarrowedSetKeepsTheVariablesOutsideIt) {
  Make({{"Zeros", {0, 0}}, {"Real", {1, 2}}, {"Out1", {3, 4}}, {"Out2", {5, 6}}});
  Data().VarSteps = Array<double>{0.1, 1, 2, 3};
  Data().NumVar = 2;  // the first two chosen and kept
  Data().LastVar = 1;
  ASSERT_TRUE(RemoveEmptyVars(Data()));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Real", "Out1", "Out2"}));
  EXPECT_EQ(Data().NumVar, 1);
  EXPECT_EQ(Data().FullLastVar, 2);
  EXPECT_EQ(Data().VarSteps, (Array<double>{1, 2, 3}));
  WidenVariables(Data());
  EXPECT_EQ(Data().NumVar, 3);
  EXPECT_EQ(Data().DataValues[2][1], 6);
}

TEST_F(DataSetTest, RemoveEmptyVarsNeverRemovesTheLastVariable) {
  Make({{"A", {0, 0}}, {"B", {0, 0}}});
  ASSERT_TRUE(RemoveEmptyVars(Data()));
  EXPECT_EQ(Names(), std::vector<std::string>{"B"});
  ResetDataSet();
  Make({{"Only", {0, 0}}});
  ASSERT_TRUE(RemoveEmptyVars(Data()));
  EXPECT_EQ(Data().NumVar, 1);
}

TEST_F(DataSetTest, RemoveEmptyVarsReportsAFailureAndKeepsTheCounts) {
  Make({{"A", {0, 0}}, {"B", {1, 2}}});
  Data().VarCounts[0] = 5;  // beyond its row: a range failure inside the routine
  EXPECT_FALSE(RemoveEmptyVars(Data()));
  EXPECT_EQ(Data().NumVar, 2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(DataSetTest, NarrowingMovesTheChosenVariablesToTheFrontAndWideningRestoresTheCount) {
  Make({{"A", {1}}, {"B", {2}}, {"C", {3}}, {"D", {4}}});
  NarrowTo(Data(), {2, 0});
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C", "B", "D"}));
  EXPECT_EQ(Data().NumVar, 2);
  EXPECT_EQ(Data().DataValues[1][0], 3);
  Data().KeepSelection = true;
  WidenUnlessKept(Data());
  EXPECT_EQ(Data().LastVar, 1);
  Data().KeepSelection = false;
  WidenUnlessKept(Data());
  EXPECT_EQ(Data().LastVar, 3);
  EXPECT_EQ(Data().NumVar, 4);
  NarrowTo(Data(), {});
  EXPECT_EQ(Data().NumVar, 4);  // nothing chosen: all stay
}

TEST_F(DataSetTest, SmallHelpersLookAtTheStatedEntries) {
  Data().EmptyValue = -1;
  EXPECT_TRUE(ContainsEmpty(Array<double>{-1, 5}, 0, -1));
  EXPECT_FALSE(ContainsEmpty(Array<double>{5, -1}, 0, -1));
  EXPECT_FALSE(CountsDiffer(Array<std::int32_t>{3}, 0));
  EXPECT_TRUE(CountsDiffer(Array<std::int32_t>{3, 3, 2}, 2));
  Make({{"A", {1, -1}}, {"B", {2, 3}}});
  EXPECT_TRUE(HasMissingValues(Data()));
  NarrowTo(Data(), {1});
  EXPECT_FALSE(HasMissingValues(Data()));
}

// A table large enough to be looked at on several cores: the answer is the
// same wherever the variable that has it lies, and only variables in force count.
TEST_F(DataSetTest, AnyVariableFindsTheOneThatHoldsWhereverItLies) {
  const std::vector<double> values(200000, 1.0);
  Make({{"A", values}, {"B", values}, {"C", values}, {"D", values}, {"E", values}});
  Data().EmptyValue = -1;
  EXPECT_FALSE(HasMissingValues(Data()));
  for (int v = 0; v < 5; ++v) {
    SCOPED_TRACE(v);
    EXPECT_TRUE(AnyVariable(Data(), [v](int w) { return w == v; }));
    Data().DataValues[v][199999] = -1;
    EXPECT_TRUE(HasMissingValues(Data()));
    Data().LastVar = v - 1;  // the variables before it only
    EXPECT_FALSE(HasMissingValues(Data()));
    Data().LastVar = 4;
    Data().DataValues[v][199999] = 1;
  }
  EXPECT_FALSE(AnyVariable(Data(), [](int) { return false; }));
}

TEST_F(DataSetTest, GetVariableCopiesUpToTheCount) {
  Make({{"A", {1, 2, 3}}});
  Data().VarCounts[0] = 2;
  Variable v = GetVariable(Data(), 0);
  EXPECT_EQ(v.name, "A");
  EXPECT_EQ(v.last, 1);
  EXPECT_EQ(v.values.Count(), 2);
  Data().VarCounts[0] = 0;
  EXPECT_EQ(GetVariable(Data(), 0).last, -1);
  EXPECT_THROW(GetVariable(Data(), 1), RangeError);
}

// A session of its own: replacing its data set forgets what belonged to the
// old one and keeps what outlives a load.
TEST(SessionTest, ReplacingTheDataSetEmptiesThePerLoadStateOnly) {
  Session s;
  DataSet& d = s.data;
  d.DataValues = {{1, 2}};
  d.VarNames = {"A"};
  d.VarCounts = {2};
  d.VarSteps = {1};
  d.NumObs = 2;
  d.LastObs = 1;
  d.NumVar = 1;
  d.Cluster.ClustArray.push_back({});
  d.SelectMask = Array<bool>{true};
  d.KeepSelection = true;
  d.ProcessingNote = "note";
  d.FirstSelection = false;
  d.ResultsFileName = "/x/y.out";
  d.EmptyValue = -9;
  s.settings.YScaleType = 2;
  s.overlays.ShowLevels = true;
  s.overlays.LevelValues = {{"A", {1, 2, 3}}};
  s.overlays.LevelLabels = {"Среднее", "Нет", "Нет"};
  s.overlays.LevelPen.width = 3;
  s.overlays.ShowXMarks = true;
  s.overlays.XMarks = {false, true};

  ReplaceDataSet(s, EmptiedDataSet(s.data));
  EXPECT_EQ(d.NumVar, 0);
  EXPECT_EQ(d.NumObs, 0);
  EXPECT_EQ(d.LastObs, -1);
  EXPECT_TRUE(d.DataValues.empty());
  EXPECT_TRUE(d.VarSteps.empty());
  EXPECT_TRUE(d.Cluster.ClustArray.empty());
  EXPECT_TRUE(d.FirstSelection);
  EXPECT_EQ(d.ResultsFileName, "data.out");
  EXPECT_EQ(s.settings.YScaleType, 0);
  EXPECT_FALSE(s.overlays.ShowLevels);
  EXPECT_TRUE(s.overlays.LevelValues.empty());
  EXPECT_FALSE(s.overlays.ShowXMarks);
  EXPECT_TRUE(s.overlays.XMarks.empty());

  EXPECT_EQ(d.SelectMask.Count(), 1);
  EXPECT_TRUE(d.KeepSelection);
  EXPECT_EQ(d.ProcessingNote, "note");
  EXPECT_EQ(d.EmptyValue, -9);
  EXPECT_EQ(s.overlays.LevelLabels[0], "Среднее");
  EXPECT_EQ(s.overlays.LevelPen.width, 3);
}

}  // namespace
}  // namespace tavrel
