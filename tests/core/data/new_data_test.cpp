#include "core/data/new_data.h"

#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "test_support.h"

namespace tavrel {
namespace {

class NewDataTest : public test::EngineTest {};

TEST_F(NewDataTest, ZerosRandomRealsAndRandomIntegers) {
  std::mt19937 random(7);
  NewDataRequest zeros;
  zeros.random = false;
  ASSERT_TRUE(MakeNewData(zeros, random, ProgramSession()));
  EXPECT_EQ(Data().NumVar, 3);
  EXPECT_EQ(Data().NumObs, 10);
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"Var1", "Var2", "Var3"}));
  for (const auto& row : Data().DataValues) EXPECT_EQ(row, Array<double>(10, 0.0));
  EXPECT_EQ(Data().VarCounts, Array<std::int32_t>(3, 10));
  EXPECT_EQ(Data().DataFileName, "newfile.txt");

  for (const std::int32_t max : {0, 1, 100}) {
    NewDataRequest request;
    request.maxRandom = max;
    request.values = 200;
    ASSERT_TRUE(MakeNewData(request, random, ProgramSession()));
    bool fraction = false;
    for (const auto& row : Data().DataValues) {
      for (const double x : row) {
        EXPECT_GE(x, 0);
        EXPECT_LT(x, max < 2 ? 1 : max);
        fraction = fraction || x != static_cast<int>(x);
      }
    }
    EXPECT_EQ(fraction, max < 2) << max;
  }
}

TEST_F(NewDataTest, NamesAreSplitLikeANameLineAndTheRestNumbered) {
  std::mt19937 random(1);
  NewDataRequest request;
  request.names = "  a Temperature ";
  request.fileName = " my.txt";
  ASSERT_TRUE(MakeNewData(request, random, ProgramSession()));
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"a", "Temperat", "Var3"}));
  EXPECT_EQ(Data().DataFileName, " my.txt");
  request.names = "   ";
  request.variables = 2;
  request.fileName = " ";
  ASSERT_TRUE(MakeNewData(request, random, ProgramSession()));
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"Var1", "Var2"}));
  EXPECT_EQ(Data().DataFileName, "newfile.txt");
  EXPECT_EQ(AutoNames(3), " Var1 Var2 Var3");
  EXPECT_EQ(AutoNames(0), "");
}

TEST_F(NewDataTest, NoVariablesOrNoValuesLeaveTheLoadedDataAlone) {
  LoadText("A B\n1 2\n3 4\n");
  std::mt19937 random(1);
  for (const auto& [vars, values] : {std::pair{0, 10}, std::pair{3, 0}}) {
    NewDataRequest request;
    request.variables = vars;
    request.values = values;
    EXPECT_FALSE(MakeNewData(request, random, ProgramSession()));
    EXPECT_EQ(Data().NumVar, 2);
    EXPECT_EQ(Data().NumObs, 2);
  }
}

}  // namespace
}  // namespace tavrel
