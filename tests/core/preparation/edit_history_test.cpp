#include "core/preparation/edit_history.h"

#include "app/shell/program_session.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/table_edit.h"
#include "core/preparation/transformations.h"
#include "core/shell/settings.h"

#include "preparation_fixture.h"

namespace tavrel {
namespace {

using test::Column;
using test::E;

class EditHistoryTest : public test::PreparationTest {
 protected:
  // One column of n values and a second of n values.
  void MakeLong(int n) {
    std::vector<double> a(static_cast<std::size_t>(n), 1.0), b(static_cast<std::size_t>(n), 2.0);
    Make({{a}, {b}});
  }
  void TypeCell(EditHistory& h, int v, std::int32_t j, const std::string& text) {
    Change change = Change::Cells(Data(), {{v, j}});
    ASSERT_EQ(ApplyCellEdits(Data(), Config(), {{v, j, text}}), "");
    h.Add(std::move(change), Data(), "Ввод значения", false);
  }
};

TEST_F(EditHistoryTest, AStepKeepsOnlyWhatItsCommandChanged) {
  MakeLong(100000);
  EditHistory h;
  TypeCell(h, 1, 500, "7");
  EXPECT_LT(h.Bytes(), 1000u);
  // Replacing in one variable keeps that variable, not the table.
  Change replace = Change::Any(Data());
  ReplaceValues(Data(), 1, 5, 0);
  h.Add(std::move(replace), Data(), "Замена", false);
  EXPECT_GT(h.Bytes(), 800000u);
  EXPECT_LT(h.Bytes(), 900000u);
  // A row deleted keeps one value per variable.
  const std::size_t before = h.Bytes();
  Change row = Change::ObservationRemoved(Data(), 3);
  ASSERT_TRUE(DeleteObservation(Data(), Config(), 3));
  h.Add(std::move(row), Data(), "Удалить строку", false);
  EXPECT_LT(h.Bytes() - before, 1000u);
  // A command that changed nothing adds no step.
  Change nothing = Change::Any(Data());
  ReplaceValues(Data(), 12345, 5, -1);
  h.Add(std::move(nothing), Data(), "Замена", false);
  EXPECT_EQ(h.UndoSteps(), 3u);

  bool padded = false;
  ASSERT_TRUE(h.Undo(Data(), padded));
  ASSERT_TRUE(h.Undo(Data(), padded));
  ASSERT_TRUE(h.Undo(Data(), padded));
  EXPECT_EQ(Data().NumObs, 100000);
  EXPECT_EQ(Data().DataValues[1][500], 2.0);
  EXPECT_EQ(Data().DataValues[0][3], 1.0);
  EXPECT_FALSE(h.Undo(Data(), padded));
}

TEST_F(EditHistoryTest, TheOldestStepsGoBeyondTheMemoryLimitOrTheStepCount) {
  MakeLong(10000);  // a changed column holds 80,000 bytes
  EditHistory h(300000, 100);
  for (int i = 0; i < 5; ++i) {
    Change change = Change::Any(Data());
    ReplaceValues(Data(), i + 1, i + 2, 0);
    h.Add(std::move(change), Data(), "Замена " + std::to_string(i + 1), false);
    EXPECT_LE(h.Bytes(), 300000u);
  }
  EXPECT_EQ(h.UndoSteps(), 3u);
  EXPECT_EQ(h.UndoCaption(), "Замена 5");
  bool padded = false;
  while (h.Undo(Data(), padded)) {
  }
  EXPECT_EQ(Data().DataValues[0][0], 3.0);  // back to before the third
  // The newest step stays even when it alone is over the limit.
  EditHistory small(1000, 100);
  Change change = Change::Any(Data());
  NormaliseVariables(Data());
  small.Add(std::move(change), Data(), "Нормирование", false);
  EXPECT_EQ(small.UndoSteps(), 1u);

  EditHistory counted(std::size_t{1} << 30, 50);
  for (int i = 0; i < 60; ++i) TypeCell(counted, 0, i, std::to_string(i + 10));
  EXPECT_EQ(counted.UndoSteps(), 50u);
  EXPECT_LT(counted.Bytes(), std::size_t{1} << 20);
}

TEST_F(EditHistoryTest, UndoRestoresTheFrameAndThePaddingFlag) {
  Make({{{1, E, 3}}, {{4, 5, 6}}});
  EditHistory h;
  Change change = Change::Any(Data());
  DeleteMissing(Data());
  h.Add(std::move(change), Data(), "Удалить", false);
  bool padded = true;  // the table set it after the command
  ASSERT_TRUE(h.Undo(Data(), padded));
  EXPECT_FALSE(padded);
  ExpectColumns({{{1, E, 3}}, {{4, 5, 6}}});
  EXPECT_EQ(Data().ProcessingNote, "");
  EXPECT_EQ(h.RedoCaption(), "Удалить");
  ASSERT_TRUE(h.Redo(Data(), padded));
  EXPECT_TRUE(padded);
  ExpectColumns({{{1, 3, E}, 2}, {{4, 5, 6}}});
  EXPECT_EQ(Data().ProcessingNote, kNoteMissingDeleted);
}

TEST_F(EditHistoryTest, DataChangedElsewhereEmptyTheHistory) {
  Make({{{1, 2, 3}}, {{4, 5, 6}}});
  EditHistory h;
  Change change = Change::VariableInserted(Data(), 1);
  ASSERT_TRUE(InsertVariable(Data(), Config(), 1));
  h.Add(std::move(change), Data(), "Добавить столбец", false);
  h.Check(Data());
  EXPECT_TRUE(h.CanUndo());
  Data().VarSteps[0] *= 2;  // other settings: not a change of the data
  h.Check(Data());
  EXPECT_TRUE(h.CanUndo());
  // Replaced by a data set of another shape: the step is not applied to it.
  Make({{{1, 2}}});
  bool padded = false;
  EXPECT_FALSE(h.Undo(Data(), padded));
  EXPECT_FALSE(h.CanUndo());
  ExpectColumns({{{1, 2}}});
}

}  // namespace
}  // namespace tavrel
