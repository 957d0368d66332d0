#include "core/preparation/transformations.h"

#include <cmath>
#include <functional>

#include "app/shell/program_session.h"
#include "preparation_fixture.h"

namespace tavrel {
namespace {

using test::Column;
using test::E;

class TransformationsTest : public test::PreparationTest {};

TEST_F(TransformationsTest, SelectionRoutinesRewriteTheCountedValuesAndLeaveTheirNote) {
  const double e = std::exp(1.0);
  struct Case {
    const char* what;
    std::function<void(DataSet&)> routine;
    std::vector<Column> before;
    int inForce;
    std::vector<Column> after;
    const char* note;
  };
  const Case cases[] = {
      {"normalise", NormaliseVariables, {{{1, 2, 3}}}, -1, {{{-1, 0, 1}}}, kNoteNormalised},
      {"a constant variable becomes zeros", NormaliseVariables, {{{5, 5, 5}}}, -1, {{{0, 0, 0}}}, kNoteNormalised},
      {"the padding and the hidden variable stay", NormaliseVariables, {{{1, 3, E}, 2}, {{7, 8, 9}}}, 1,
       {{{-std::sqrt(0.5), std::sqrt(0.5), E}, 2}, {{7, 8, 9}}}, kNoteNormalised},
      {"logarithm", LogVariables, {{{-1, 0, e}}}, -1, {{{0, 0, 1}}}, kNoteLogarithm},
      {"differences", Differences, {{{1, 4, 9}}}, -1, {{{3, 5, E}, 2}}, kNoteDifferences},
      {"differences keep missing values missing", Differences, {{{1, E, 9, 10}}}, -1, {{{E, E, 1, E}, 3}},
       kNoteDifferences},
      {"differences of a variable without values change nothing", Differences, {{{E, E}, 0}, {{1, 2}}}, -1,
       {{{E, E}, 0}, {{1, E}, 1}}, kNoteDifferences},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Make(c.before, c.inForce);
    c.routine(Data());
    const DataSet& d = Data();
    ASSERT_EQ(d.DataValues.Count(), static_cast<long long>(c.after.size()));
    for (std::size_t v = 0; v < c.after.size(); ++v) {
      const auto& row = d.DataValues[static_cast<long long>(v)];
      ASSERT_EQ(row.size(), c.after[v].values.size());
      for (std::size_t j = 0; j < row.size(); ++j) EXPECT_NEAR(row[j], c.after[v].values[j], 1e-4) << v << "," << j;
      EXPECT_EQ(d.VarCounts[static_cast<long long>(v)],
                c.after[v].count < 0 ? static_cast<int>(c.after[v].values.size()) : c.after[v].count);
    }
    EXPECT_EQ(d.ProcessingNote, c.note);
  }
}

TEST_F(TransformationsTest, ShiftPairsTheChosenSeriesWithTheOthersLaterOrEarlierRows) {
  const std::vector<double> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  struct Case {
    const char* what;
    std::vector<Column> before;
    int chosen;
    int shift;
    bool done;
    std::vector<Column> after;
  };
  const Case cases[] = {
      {"8 of 10 would leave too few", {{ten}}, 1, 8, false, {{ten}}},
      {"7 of 10 leaves three", {{ten}}, 1, 7, true, {{{1, 2, 3}}}},
      {"all chosen, +2 drops the last two", {{ten}}, 1, 2, true, {{{1, 2, 3, 4, 5, 6, 7, 8}}}},
      {"all chosen, -2 drops the first two", {{ten}}, 1, -2, true, {{{3, 4, 5, 6, 7, 8, 9, 10}}}},
      {"+1 moves the others up", {{{1, 2, 3, 4, 5}}, {{10, 20, 30, 40, 50}}}, 1, 1, true,
       {{{1, 2, 3, 4}}, {{20, 30, 40, 50}}}},
      {"-1 moves the chosen up", {{{1, 2, 3, 4, 5}}, {{10, 20, 30, 40, 50}}}, 1, -1, true,
       {{{2, 3, 4, 5}}, {{10, 20, 30, 40}}}},
      {"0 moves nothing", {{{1, 2, 3, 4, 5}}, {{10, 20, 30, 40, 50}}}, 1, 0, true,
       {{{1, 2, 3, 4, 5}}, {{10, 20, 30, 40, 50}}}},
      {"a shortened series keeps its padding out of the count", {{{1, 2, 3, 4, 5}}, {{10, 20, 30, E, E}, 3}}, 1, -1,
       true, {{{2, 3, 4, 5}}, {{10, 20, 30, E}, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Make(c.before, c.chosen);
    EXPECT_EQ(ShiftSeries(Data(), c.shift), c.done);
    ExpectColumns(c.after);
    EXPECT_EQ(Data().LastVar, Data().FullLastVar);  // widened whichever way it went
    EXPECT_EQ(Data().ProcessingNote, "");
  }
}

TEST_F(TransformationsTest, ReplaceTouchesOnlyTheCountedValuesOfTheChosenVariables) {
  Make({{{1, 2, 1}}, {{1, 1, 1}, 2}});
  ReplaceValues(Data(), 1, 7, 1);
  ExpectColumns({{{1, 2, 1}}, {{7, 7, 1}, 2}});
  ReplaceValues(Data(), 1, 0.5, -1);
  ExpectColumns({{{0.5, 2, 0.5}}, {{7, 7, 1}, 2}});
}

TEST_F(TransformationsTest, ArithmeticGivesMissingWhereAnOperandIsMissingOrBeyondItsCount) {
  struct Case {
    const char* what;
    char op;
    std::vector<Column> before;
    int r;
    std::vector<Column> after;
  };
  const Case cases[] = {
      {"division by zero gives 0", '/', {{{1, 6}}, {{0, 3}}, {{9, 9}}}, 2, {{{1, 6}}, {{0, 3}}, {{0, 2}}}},
      {"sum into the first operand", '+', {{{1, 2}}, {{3, 4}}, {{9, 9}}}, 0, {{{4, 6}}, {{3, 4}}, {{9, 9}}}},
      {"a shorter operand", '*', {{{1, 2, 3}}, {{4, 5, E}, 2}, {{9, 9, 9}}}, 2,
       {{{1, 2, 3}}, {{4, 5, E}, 2}, {{4, 10, E}, 2}}},
      {"a missing operand", '-', {{{1, 2, 3}}, {{1, E, 3}}, {{9, 9, 9}}}, 2,
       {{{1, 2, 3}}, {{1, E, 3}}, {{0, E, 0}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Make(c.before);
    Arithmetic(Data(), 0, c.op, 1, c.r);
    ExpectColumns(c.after);
  }
}

// A new name is cut to 8 characters and never holds a blank or nothing, so a
// saved table's first line keeps one name over each column.
TEST_F(TransformationsTest, RenameCutsToEightCharactersAndLeavesNoBlank) {
  Make({{{1}}, {{2}}, {{3}}, {{4}}, {{5}}});
  RenameVariables(Data(), {"Pulse", " Temperature ", "Пульс", "a b\tc", " \n "});
  const Array<std::string> expected = {"Pulse", "Temperat", "Пульс", "a_b_c", "Var5"};
  EXPECT_EQ(Data().VarNames, expected);
}

}  // namespace
}  // namespace tavrel
