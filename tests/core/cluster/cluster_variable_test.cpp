// The cluster-number variable: its name, values, count and axis step.
#include "app/shell/program_session.h"
#include "core/cluster/cluster_variable.h"

#include <gtest/gtest.h>

#include "../statistics/report_fixture.h"
#include "core/base/errors.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {
namespace {

class ClusterVariableTest : public test::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    SetVariables({{"A", {1, 2, 3, 4}}, {"B", {5, 6, 7, 8}}});
    Data().Cluster.Classification = {1, 2, 2, 3};
  }
};

TEST_F(ClusterVariableTest, NamesCountTheVariablesAddedSinceTheLoad) {
  AddClusterVariable(Data(), Config());
  AddClusterVariable(Data(), Config());
  AddClusterVariable(Data(), Config());
  const DataSet& d = Data();
  EXPECT_EQ(d.FullLastVar, 4);
  EXPECT_EQ(d.LastVar, 1);  // in force only after the command widens the data set
  EXPECT_EQ(d.VarNames[2], "CL_1");
  EXPECT_EQ(d.VarNames[4], "CL_3");
  EXPECT_EQ(d.DataValues[4], (Array<double>{1, 2, 2, 3}));
  EXPECT_EQ(d.VarCounts[4], 4);
  EXPECT_EQ(d.VarSteps.Count(), 5);
  Data().Cluster.AddedClusterVars = 99;
  AddClusterVariable(Data(), Config());
  EXPECT_EQ(d.VarNames[5], "CL_10");  // the first two digits of 100
}

TEST_F(ClusterVariableTest, AxisStepFollowsTheScaleType) {
  struct Case {
    int scaleType;
    double step;
  };
  // kmax = 3: NiceStep(3) = 0.5 for the automatic and standard scales, StepY * 3 / 100 for the chosen one.
  const Case cases[] = {{0, 0.5}, {1, 0.5}, {2, 0.9}};
  Config().StepY = 30;
  for (const Case& c : cases) {
    Config().YScaleType = c.scaleType;
    AddClusterVariable(Data(), Config());
    EXPECT_DOUBLE_EQ(Data().VarSteps[Data().FullLastVar], c.step) << c.scaleType;
  }
}

TEST_F(ClusterVariableTest, TheDataSetHoldsAtMost256Variables) {
  DataSet& d = Data();
  for (int v = 2; v < 255; ++v) AddClusterVariable(Data(), Config());
  EXPECT_EQ(d.FullLastVar, 254);
  AddClusterVariable(Data(), Config());
  EXPECT_EQ(d.FullLastVar, 255);
  EXPECT_THROW(AddClusterVariable(Data(), Config()), OverflowError);
  EXPECT_EQ(d.FullLastVar, 255);
  EXPECT_EQ(d.DataValues.Count(), 256);
}

}  // namespace
}  // namespace tavrel
