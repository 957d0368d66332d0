#include "core/data/data_table_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/preparation/table_edit.h"
#include "core/preparation/transformations.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DataTableWriterTest : public test::EngineTest {
 protected:
  std::string Save(bool append = false) {
    const std::string path = TempPath("saved.txt");
    ResultsFile().Open(path, append);
    WriteDataTable(ResultsFile(), Data());
    ResultsFile().Close();
    return path;
  }
};

TEST_F(DataTableWriterTest, WritesNamesAndValuesInFieldsOfEight) {
  LoadText("A Pulse\n1 2.5\n");
  EXPECT_EQ(test::ReadFile(Save()), "       A    Pulse \r\n    1.00     2.50 \r\n");
}

TEST_F(DataTableWriterTest, KeepsEveryDigitAValueNeeds) {
  Data().EmptyValue = -999;
  LoadText("Pressure1 B C\n0.125 -999 123456.5\n0.1 0.333333333333 -12345\n");
  EXPECT_EQ(test::ReadFile(Save()),
            "Pressure        B        C \r\n"
            "   0.125  -999.00 123456.50 \r\n"
            "    0.10 0.333333333333 -12345.00 \r\n");
}

// Hundredths are written when they read back as the value, the fewest decimals
// that do otherwise; near the edges between the two, at a hundredth's half,
// at zero and beyond the common range.
TEST_F(DataTableWriterTest, WritesHundredthsOnlyWhenTheyReadBackAsTheValue) {
  struct Case {
    const char* value;  // as loaded
    std::string saved;
  };
  const Case cases[] = {
      {"-0", "    0.00 "},
      {"0.005", "   0.005 "},
      {"-0.004", "  -0.004 "},
      {"-12345.675", "-12345.675 "},
      {"0.30000000000000004", "0.30000000000000004 "},
      {"999999999.99", "999999999.99 "},
      {"-999999999.99", "-999999999.99 "},
      {"1000000000", "1000000000.00 "},
      {"123456789012.25", "123456789012.25 "},
      {"1e-300", "0." + std::string(299, '0') + "1 "},
      {"7", "    7.00 "},
      {"-0.01", "   -0.01 "},
  };
  for (const Case& c : cases) {
    LoadText(std::string("A\n") + c.value + "\n");
    EXPECT_EQ(test::ReadFile(Save()), "       A \r\n" + c.saved + "\r\n") << c.value;
  }
}

TEST_F(DataTableWriterTest, WritesOnlyTheChosenVariablesInTheirNewOrder) {
  LoadText("A B C D E\n1 2 3 4 5\n");
  NarrowTo(Data(), {3, 1});
  EXPECT_EQ(test::ReadFile(Save()), "       B        D \r\n    2.00     4.00 \r\n");
}

TEST_F(DataTableWriterTest, AppendsAfterEarlierReports) {
  LoadText("A\n1\n");
  WriteFile("saved.txt", "report\r\n");
  EXPECT_EQ(test::ReadFile(Save(true)), "report\r\n       A \r\n    1.00 \r\n");
}

TEST_F(DataTableWriterTest, ASavedTableLoadsBackWithTheSameNamesAndValues) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> dist(-1e6, 1e6);
  std::string text = "Пульс Давление x1\n";
  for (int i = 0; i < 200; ++i) text += std::to_string(dist(rng)) + " " + std::to_string(i % 7) + " 0.001\n";
  LoadText(text);
  const DataSet before = Data();
  const LoadOutcome out = LoadDataFile(Save(), ProgramSession());
  ASSERT_TRUE(out.loaded);
  EXPECT_EQ(Data().VarNames, before.VarNames);
  EXPECT_EQ(Data().DataValues, before.DataValues);
}

// Whatever a name was given as (a rename, typed in the dialog or a prepare
// step; a workbook's header cell), the saved table reads back with the same
// names over the same columns: a blank, a tab, a line break or nothing in a
// name would shift every later column.
TEST_F(DataTableWriterTest, ATableOfAnyNamesReadsBackWithTheSameNamesAndColumns) {
  std::mt19937 rng(26);
  const std::string pieces[] = {"a", "Б", " ", "\t", "\n", "\r", "\r\n", "x y", "", "1", "-", "\x7f", "é", "Temperature"};
  for (int round = 0; round < 100; ++round) {
    LoadText("A B C D\n1 2 3 4\n5 6 7.5 -8\n");
    std::vector<std::string> names(4);
    for (std::string& name : names)
      for (int k = static_cast<int>(rng() % 4); k > 0; --k) name += pieces[rng() % std::size(pieces)];
    RenameVariables(Data(), names);
    const DataSet before = Data();
    const LoadOutcome out = LoadDataFile(Save(), ProgramSession());
    ASSERT_TRUE(out.loaded) << out.warning;
    ASSERT_EQ(Data().VarNames, before.VarNames) << round;
    ASSERT_EQ(Data().DataValues, before.DataValues) << round;
  }
}

// The reader takes at most 100 names and only finite numbers: a table it could
// not take back is refused with the reason before a line is written, also to a
// file appended to; 100 variables are saved and read back.
TEST_F(DataTableWriterTest, RefusesATableTheReaderCouldNotTakeBack) {
  std::string names, values;
  for (int v = 1; v <= kMaxVariables; ++v) {
    names += "V" + std::to_string(v) + " ";
    values += std::to_string(v) + " ";
  }
  LoadText(names + "\n" + values + "\n");
  const DataSet hundred = Data();
  ASSERT_TRUE(LoadDataFile(Save(), ProgramSession()).loaded);
  EXPECT_EQ(Data().VarNames, hundred.VarNames);
  EXPECT_EQ(Data().DataValues, hundred.DataValues);

  const auto refusal = [&] {
    try {
      RefuseUnsavableTable(Data());
    } catch (const RangeError& e) {
      WriteFile("saved.txt", "report\r\n");
      EXPECT_THROW(Save(true), RangeError);
      EXPECT_EQ(test::ReadFile(TempPath("saved.txt")), "report\r\n");
      return std::string(e.what());
    }
    return std::string("saved");
  };
  ASSERT_TRUE(InsertVariable(Data(), Config(), 3));  // the data table window adds variables beyond 100
  EXPECT_EQ(refusal(), "Текстовая таблица вмещает не более 100 переменных, а выбрано 101: выберите меньше переменных");
  NarrowTo(Data(), {0, 3});
  EXPECT_EQ(refusal(), "saved");

  LoadText("A Pulse\n1 2\n3 4\n");
  const struct {
    double value;
    std::string message;
  } unreadable[] = {
      {std::numeric_limits<double>::infinity(), "Переменная Pulse, наблюдение 2: значение INF выходит за пределы допустимых чисел"},
      {-std::numeric_limits<double>::infinity(), "Переменная Pulse, наблюдение 2: значение -INF выходит за пределы допустимых чисел"},
      {std::nan(""), "Переменная Pulse, наблюдение 2: значение NAN не является числом"},
  };
  for (const auto& u : unreadable) {
    Data().DataValues[1][1] = u.value;
    EXPECT_EQ(refusal(), u.message);
  }
}

}  // namespace
}  // namespace tavrel
