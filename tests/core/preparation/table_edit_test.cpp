#include "core/preparation/table_edit.h"

#include "app/shell/program_session.h"
#include "core/shell/settings.h"

#include "preparation_fixture.h"

namespace tavrel {
namespace {

using test::Column;
using test::E;

class TableEditTest : public test::PreparationTest {};

TEST_F(TableEditTest, TypedValuesAreWrittenAllOrNone) {
  Make({{{1, 2, 3}}, {{4, E, E}, 1}});
  // The second text is not a number: the first is not written either.
  EXPECT_EQ(ApplyCellEdits(Data(), Config(), {{0, 0, "7,5"}, {1, 2, "12x"}}),
            "Переменная B, наблюдение 3: «12x» не является числом");
  ExpectColumns({{{1, 2, 3}}, {{4, E, E}, 1}});
  // Nor is a number beyond a double, which a saved table could not hold.
  EXPECT_EQ(ApplyCellEdits(Data(), Config(), {{0, 0, "7,5"}, {0, 1, " 1e309 "}}),
            "Переменная A, наблюдение 2: «1e309» выходит за пределы допустимых чисел");
  ExpectColumns({{{1, 2, 3}}, {{4, E, E}, 1}});

  // "," and "." both; a value typed below a shortened variable extends its count.
  EXPECT_EQ(ApplyCellEdits(Data(), Config(), {{0, 0, "7,5"}, {1, 2, " 0.25 "}}), "");
  ExpectColumns({{{7.5, 2, 3}}, {{4, E, 0.25}}});

  // After a removal the missing code typed at a variable's end leaves it out of the count.
  for (const bool removed : {false, true}) {
    Make({{{1, 2, 3}}, {{4, 5, E}, 2}});
    EXPECT_EQ(ApplyCellEdits(Data(), Config(), {{1, 1, "-999"}}, removed), "");
    ExpectColumns({{{1, 2, 3}}, {{4, E, E}, removed ? 1 : 2}});
  }
}

// A typed value changes the Y step of the variable typed in alone, to what
// working out every step again gives; steps set by hand stay.
TEST_F(TableEditTest, TypedValuesGiveTheirVariablesStepAnew) {
  for (const int scale : {0, 1, 2}) {
    SCOPED_TRACE(scale);
    Config().YScaleType = scale;
    Config().StepY = 10;
    Make({{{1, 2, 3}}, {{4, 5, 6}}, {{7, 8, 9}}});
    ComputeVarSteps(Data(), Config());
    if (scale == 2) Data().VarSteps = {0.5, 0.5, 0.5};
    const Array<double> before = Data().VarSteps;
    ASSERT_EQ(ApplyCellEdits(Data(), Config(), {{1, 0, "500"}, {1, 2, "-7"}}), "");
    const Array<double> typed = Data().VarSteps;
    EXPECT_EQ(typed[0], before[0]);
    EXPECT_EQ(typed[2], before[2]);
    EXPECT_EQ(typed[1] != before[1], scale != 2);
    ComputeVarSteps(Data(), Config());
    EXPECT_EQ(typed, Data().VarSteps);
  }
}

TEST_F(TableEditTest, ChoosingVariablesDropsTheOthers) {
  Make({{{1}}, {{2}}, {{3}}}, 2);
  DropHiddenVariables(Data(), Config());
  ExpectColumns({{{1}}, {{2}}});
  EXPECT_EQ(Data().VarSteps.Count(), 2);
}

TEST_F(TableEditTest, ObservationsAreInsertedDeletedAndMovedForEveryVariable) {
  Make({{{1, 2}}, {{3, 4}}}, 1);  // the second variable is hidden
  EXPECT_TRUE(InsertObservation(Data(), Config(), 1));
  ExpectColumns({{{1, 0, 2}}, {{3, 0, 4}}});
  EXPECT_TRUE(InsertObservation(Data(), Config(), 3));  // at the end
  ExpectColumns({{{1, 0, 2, 0}}, {{3, 0, 4, 0}}});
  EXPECT_FALSE(InsertObservation(Data(), Config(), 5));
  EXPECT_TRUE(MoveObservation(Data(), Config(), 3, 0));
  ExpectColumns({{{0, 1, 0, 2}}, {{0, 3, 0, 4}}});
  EXPECT_TRUE(DeleteObservation(Data(), Config(), 0));
  EXPECT_TRUE(DeleteObservation(Data(), Config(), 1));
  ExpectColumns({{{1, 2}}, {{3, 4}}});
  EXPECT_FALSE(DeleteObservation(Data(), Config(), 2));

  // The only observation stays; a single one takes a new one.
  Make({{{5}}});
  EXPECT_FALSE(DeleteObservation(Data(), Config(), 0));
  EXPECT_TRUE(InsertObservation(Data(), Config(), 0));
  ExpectColumns({{{0, 5}}});

  // Below a shortened variable the new place is padding, not a counted 0.
  Make({{{1, 2, 3}}, {{4, E, E}, 1}});
  EXPECT_TRUE(InsertObservation(Data(), Config(), 2));
  ExpectColumns({{{1, 2, 0, 3}}, {{4, E, E, E}, 1}});
  EXPECT_TRUE(DeleteObservation(Data(), Config(), 0));
  ExpectColumns({{{2, 0, 3}}, {{E, E, E}, 0}});
}

TEST_F(TableEditTest, VariablesAreInsertedDeletedAndMoved) {
  Make({{{1}}, {{2}}, {{3}}, {{4}}}, 3);  // D is hidden
  for (int at : {0, 2, 3}) {
    Make({{{1}}, {{2}}, {{3}}, {{4}}}, 3);
    ASSERT_TRUE(InsertVariable(Data(), Config(), at));
    EXPECT_EQ(Data().VarNames[at], "Var4");
    EXPECT_EQ(Data().DataValues[at][0], 0.0);
    EXPECT_EQ(Data().NumVar, 4);
    EXPECT_EQ(Data().FullLastVar, 4);
    EXPECT_EQ(Data().VarNames[4], "D");  // the hidden variable stays behind
  }
  EXPECT_FALSE(InsertVariable(Data(), Config(), 6));

  Make({{{1}}, {{2}}, {{3}}});
  EXPECT_TRUE(MoveVariable(Data(), Config(), 2, 0));
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"C", "A", "B"}));
  EXPECT_TRUE(DeleteVariable(Data(), Config(), 1));
  EXPECT_EQ(Data().VarNames, (Array<std::string>{"C", "B"}));
  EXPECT_TRUE(DeleteVariable(Data(), Config(), 0));
  EXPECT_FALSE(DeleteVariable(Data(), Config(), 0));  // the last one stays
  EXPECT_EQ(Data().NumVar, 1);
}

TEST_F(TableEditTest, TheTableTakesNoMoreThanItsColumns) {
  Make({{{1}}});
  while (InsertVariable(Data(), Config(), Data().NumVar)) {
  }
  EXPECT_EQ(Data().NumVar + 1, kMaxTableColumns);
}

TEST_F(TableEditTest, SummarySkipsMissingValuesAndTheStateFollowsThem) {
  Make({{{4, E, -2}}, {{1, 2, 3}}});
  const ColumnSummary s = SummariseVariable(Data(), 0);
  EXPECT_EQ(s.max, 4);
  EXPECT_EQ(s.min, -2);
  EXPECT_EQ(s.count, 3);
  TableStateKeeper keeper;
  EXPECT_TRUE(keeper.State(Data()).missing);
  EXPECT_FALSE(keeper.State(Data()).outliers);
  Make({{{1, 1, 1, 1, 1, 1, 1, 1, 1, 100}}});
  keeper.ForgetAll();
  EXPECT_FALSE(keeper.State(Data()).missing);
  EXPECT_TRUE(keeper.State(Data()).outliers);
}

// Typed values change the state through the variable typed in alone: the
// missing value typed over, then an outlier typed in the other variable.
TEST_F(TableEditTest, TheStateKeptFollowsTheVariableTypedIn) {
  Make({{{1, 1, 1, 1, 1, 1, 1, 1, 1, E}}, {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}});
  TableStateKeeper keeper;
  EXPECT_TRUE(keeper.State(Data()).missing);
  ASSERT_EQ(ApplyCellEdits(Data(), Config(), {{0, 9, "1"}}, false), "");
  keeper.Forget(0);
  EXPECT_FALSE(keeper.State(Data()).missing);
  EXPECT_FALSE(keeper.State(Data()).outliers);
  ASSERT_EQ(ApplyCellEdits(Data(), Config(), {{1, 9, "100"}}, false), "");
  keeper.Forget(1);
  EXPECT_FALSE(keeper.State(Data()).missing);
  EXPECT_TRUE(keeper.State(Data()).outliers);
  // A table of another number of variables is looked at afresh.
  Make({{{1, 2}}, {{1, 2}}, {{1, E}}});
  EXPECT_TRUE(keeper.State(Data()).missing);
}

}  // namespace
}  // namespace tavrel
