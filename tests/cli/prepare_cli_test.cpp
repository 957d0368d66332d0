// The batch tool's data preparation, end to end.
#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "cli_fixture.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/transformations.h"

namespace tavrel {
namespace {

class PrepareCliTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    data_ = WriteFile("pulse.txt",
                      "Pulse AD Temp\n"
                      "60 120 36.6\n62 -999 36.7\n65 118 36.5\n70 130 36.9\n68 128 36.8\n"
                      "72 135 37.0\n75 140 37.1\n71 133 -999\n66 121 36.6\n64 119 36.6\n");
  }
  std::string data_;
};

TEST_F(PrepareCliTest, StepsGiveTheDataTheEngineRoutinesGive) {
  const std::string out = TempPath("prepared.txt");
  ASSERT_EQ(Run("prepare " + data_ + " " + out +
                " delete-missing-rows normalise:AD,Temp shift:-1:Pulse replace:0:1:Pulse arith:Pulse:*:AD:Temp "
                "rename:AD:Давление"),
            0)
      << err_;
  EXPECT_EQ(out_, "Удалены ряды с пропусками.Данные нормированы.\n");
  EXPECT_EQ(err_, "");

  // The same steps through the routines the table window runs.
  Data().EmptyValue = -999;  // as the distributed settings have it
  LoadText(test::ReadFile(data_));
  DeleteMissingRows(Data());
  NarrowTo(Data(), {1, 2});  // AD and Temp move to the front, as the variable dialog leaves them
  NormaliseVariables(Data());
  WidenVariables(Data());
  ASSERT_EQ(Data().VarNames[2], "Pulse");
  NarrowTo(Data(), {2});
  ASSERT_TRUE(ShiftSeries(Data(), -1));
  ReplaceValues(Data(), 0, 1, 0);
  Arithmetic(Data(), 0, '*', 2, 1);
  RenameVariables(Data(), {"Pulse", "Temp", "Давление"});
  const std::string expected = TempPath("expected.txt");
  ResultsFile().Open(expected, false);
  WriteDataTable(ResultsFile(), Data());
  ResultsFile().Close();
  EXPECT_EQ(test::ReadFile(out), test::ReadFile(expected));
  EXPECT_EQ(Data().NumObs, 7);
}

TEST_F(PrepareCliTest, RefusalsPrintTheProgramsMessageAndWriteNothing) {
  const std::string out = WriteFile("kept.txt", "untouched\n");
  struct Case {
    std::string steps;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {"log", kChoiceRefused, "Пропуски не удалены.\n"},
      {"delete-outliers", kChoiceRefused, "Пропуски не удалены.\n"},
      {"delete-missing shift:8", kChoiceRefused, "Данных недостаточно.\n"},
      {"replace::5", kChoiceRefused, "Данные не введены\n"},
      {"replace:x:5", kChoiceRefused, "Заменяемое значение: «x» не является числом\n"},
      {"rename:Nope:X", kChoiceRefused, "Нет переменной Nope\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run("prepare " + data_ + " " + out + " " + c.steps), c.code) << c.steps;
    EXPECT_EQ(err_, c.message) << c.steps;
    EXPECT_EQ(out_, "") << c.steps;
    EXPECT_EQ(test::ReadFile(out), "untouched\n") << c.steps;
  }
  EXPECT_EQ(Run("prepare " + data_ + " " + out + " arith:Pulse:%:AD:Temp"), 2);
  EXPECT_EQ(Run("prepare " + data_ + " " + out + " squash"), 2);
  EXPECT_EQ(Run("prepare " + data_ + " " + out), 2);
}

}  // namespace
}  // namespace tavrel
