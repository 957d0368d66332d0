#include "core/data/variable_selection.h"

#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"
#include "test_support.h"

namespace tavrel {
namespace {

class VariableSelectionTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;  // keep the column of zeros
  }
  std::vector<std::string> InForce() const {
    std::vector<std::string> names;
    for (int v = 0; v <= Data().LastVar; ++v) names.push_back(Data().VarNames[v]);
    return names;
  }
};

TEST_F(VariableSelectionTest, ChosenVariablesMoveToTheFrontAndTheModesCountThem) {
  struct Case {
    int mode;
    std::vector<int> chosen;
    std::string warning;
    std::vector<std::string> inForce;
  };
  const Case cases[] = {
      {kModeStatistics, {0, 2}, "", {"A", "C"}},
      {kModeSaving, {}, "", {"A", "B", "C", "D"}},
      {kModeGraphicEditor, {0, 1}, kChooseOneVariable, {"A", "B", "C", "D"}},
      {kModeDistributionGraph, {3}, "", {"D"}},
      {kModeScatterDiagram, {0, 1, 2}, kChooseTwoVariables, {"A", "B", "C", "D"}},
      {kModeScatterDiagram, {1, 3}, "", {"B", "D"}},
  };
  for (const Case& c : cases) {
    LoadText("A B C D\n1 2 3 4\n5 6 7 8\n");
    Data().OperationMode = c.mode;
    const SelectionStart start = BeginSelection(Data(), Config());
    ASSERT_TRUE(start.enough);
    EXPECT_EQ(start.names, (Array<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(ConfirmSelection(Data(), Config(), c.chosen), c.warning) << c.mode;
    EXPECT_EQ(InForce(), c.inForce) << c.mode;
  }
  LoadText("A B C D\n1 2 3 4\n5 6 7 8\n");
  ConfirmSelection(Data(), Config(), {0, 2});
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"A", "C", "B", "D"}));
}

TEST_F(VariableSelectionTest, OneObservationIsRefusedAndEmptyVariablesGoOnlyForStatisticsAndClusters) {
  LoadText("A B\n1 2\n");
  EXPECT_FALSE(BeginSelection(Data(), Config()).enough);
  EXPECT_EQ(BeginSelection(Data(), Config()).warning, kNotEnoughData);
  for (const int mode : {kModeStatistics, kModeCluster, kModeSequentialGraph, kModeSaving}) {
    LoadText("Z A B\n0 1 2\n0 3 4\n");
    Data().OperationMode = mode;
    const bool removes = mode == kModeStatistics || mode == kModeCluster;
    EXPECT_EQ(BeginSelection(Data(), Config()).names.Count(), removes ? 2 : 3) << mode;
  }
}

TEST_F(VariableSelectionTest, TheFirstChoiceAfterALoadIsRememberedForTheNextLoad) {
  Config().SavePrmSel = true;
  LoadText("A B C D\n1 2 3 4\n5 6 7 8\n");
  EXPECT_EQ(BeginSelection(Data(), Config()).preselected, Array<bool>(4, false));
  ConfirmSelection(Data(), Config(), {1, 3});
  EndSelection(Data(), false);
  WidenUnlessKept(Data());
  // Later dialogs of the same load neither show nor change the remembered choice.
  EXPECT_EQ(BeginSelection(Data(), Config()).preselected, Array<bool>(4, false));
  ConfirmSelection(Data(), Config(), {0});
  EndSelection(Data(), false);
  WidenUnlessKept(Data());
  LoadText("P Q R S T\n1 2 3 4 5\n6 7 8 9 1\n", "other.txt");
  EXPECT_EQ(BeginSelection(Data(), Config()).preselected, (Array<bool>{false, true, false, true, false}));

  Config().SavePrmSel = false;
  LoadText("A B C D\n1 2 3 4\n5 6 7 8\n");
  EXPECT_EQ(BeginSelection(Data(), Config()).preselected, Array<bool>(4, false));
}

TEST_F(VariableSelectionTest, KeepSelectionDecidesWhetherTheCommandWidensAgain) {
  for (const bool keep : {false, true}) {
    LoadText("A B C D\n1 2 3 4\n5 6 7 8\n");
    BeginSelection(Data(), Config());
    ConfirmSelection(Data(), Config(), {2});
    EndSelection(Data(), keep);
    WidenUnlessKept(Data());
    EXPECT_EQ(Data().NumVar, keep ? 1 : 4);
    EXPECT_EQ(BeginSelection(Data(), Config()).names.Count(), keep ? 1 : 4);
  }
}

}  // namespace
}  // namespace tavrel
