#include "core/data/data_table_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/results_file.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DataTableWriterTest : public test::EngineTest {
 protected:
  std::string Save(bool append = false) {
    const std::string path = TempPath("saved.txt");
    ResultsFile().Open(path, append);
    WriteDataTable(Data());
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

}  // namespace
}  // namespace tavrel
