// Saving the data table by its file's name, and loading every saved file back.
#include "app/shell/program_session.h"
#include "core/data/saved_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/base/errors.h"
#include "core/data/csv_writer.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/shell/settings.h"
#include "test_support.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

struct Table {
  std::vector<std::string> names;
  std::vector<std::vector<double>> columns;
  bool operator==(const Table&) const = default;
};

Table Current() {
  Table t{{Data().VarNames.begin(), Data().VarNames.end()}, {}};
  for (const auto& c : Data().DataValues) t.columns.emplace_back(c.begin(), c.end());
  return t;
}

std::ostream& operator<<(std::ostream& os, const Table& t) {
  for (const auto& n : t.names) os << n << " ";
  for (const auto& c : t.columns) {
    os << "|";
    for (const double x : c) os << " " << x;
  }
  return os;
}

class SavedTableTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;
    Config().EmptyValue = Data().EmptyValue = -999;
  }
  // Saves the data set in force at name, in the format of the name.
  std::string Save(const std::string& name, char decimalPoint = '.', bool append = false) {
    const std::string path = TempPath(name);
    ResultsFile().Open(path, append);
    WriteSavedTable(ResultsFile(), Data(), {}, decimalPoint);
    return path;
  }
};

// The table of every source: Cyrillic names, missing values, fractions,
// very large and very small numbers.
const Table kTable = {{"Пульс", "АДсист", "Temperat"},
                      {{72, -999, 64.5, 1e20}, {120.25, 130, -999, -0.001}, {36.6, 37.1, 1.5e-7, -999}}};

// Every format read (text, CSV, .xls, .xlsx, .ods) against every format
// written (text, CSV with either decimal point, .xlsx): the saved file loads
// back with the same names and values.
TEST_F(SavedTableTest, EverySavedFormatLoadsBackFromEverySource) {
  const std::string text = "Пульс АДсист Temperature\n72 120.25 36.6\n-999 130 37.1\n64.5 -999 1.5e-7\n1e20 -0.001 -999\n";
  const std::string csv = "Пульс;АДсист;Temperature\r\n72;120,25;36,6\r\n;130;37,1\r\n64,5;;1,5E-7\r\n1E20;-0,001;\r\n";
  const std::string xlsxPath = TempPath("source.xlsx");
  std::string rows = "<row>" + test::TextCell("A1", "Пульс") + test::TextCell("B1", "АДсист") +
                     test::TextCell("C1", "Temperature") + "</row>";
  const char* cells[4][3] = {
      {"72", "120.25", "36.6"}, {"-999", "130", "37.1"}, {"64.5", "-999", "1.5E-7"}, {"1E+20", "-0.001", "-999"}};
  std::string odsRows = test::OdsRow(test::OdsText("Пульс") + test::OdsText("АДсист") + test::OdsText("Temperature"));
  for (int r = 0; r < 4; ++r) {
    rows += "<row>";
    std::string odsCells;
    for (int c = 0; c < 3; ++c) {
      rows += test::NumberCell(std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 2), cells[r][c]);
      odsCells += test::OdsNumber(cells[r][c]);
    }
    rows += "</row>";
    odsRows += test::OdsRow(odsCells);
  }
  test::WriteZip(xlsxPath, test::WorkbookEntries(test::SheetXml(rows)));
  const std::string odsPath = TempPath("source.ods");
  test::WriteZip(odsPath, test::OdsEntries(test::OdsContentXml(odsRows)));

  struct Source {
    const char* what;
    std::string path;
    Table expected;
  };
  const std::vector<Source> sources = {
      {"text", WriteFile("source.txt", text), kTable},
      {"csv", WriteFile("source.csv", csv), kTable},
      {"xlsx", xlsxPath, kTable},
      {"ods", odsPath, kTable},
      {"xls", std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls",
       {{"Pulse", "Давление", "Temperat"}, {{72, 80, 64}, {120, 130.5, 110}, {36.6, 37.1, 36.9}}}},
  };
  struct Target {
    const char* name;
    char decimalPoint;
  };
  const Target targets[] = {{"saved.txt", '.'}, {"saved.out", '.'}, {"saved.csv", '.'},
                            {"saved.CSV", ','}, {"saved.xlsx", '.'}};
  for (const Source& source : sources) {
    for (const Target& target : targets) {
      SCOPED_TRACE(std::string(source.what) + " -> " + target.name + " " + target.decimalPoint);
      const LoadOutcome in = LoadDataFile(source.path, ProgramSession());
      ASSERT_TRUE(in.loaded) << in.readerWarning << in.warning;
      ASSERT_EQ(Current(), source.expected);
      const std::string saved = Save(target.name, target.decimalPoint);
      const LoadOutcome back = LoadDataFile(saved, ProgramSession());
      ASSERT_TRUE(back.loaded) << back.readerWarning << back.warning << "\n" << test::ReadFile(saved);
      EXPECT_EQ(Current(), source.expected) << test::ReadFile(saved);
    }
  }
}

TEST_F(SavedTableTest, CsvFollowsTheDecimalPointAndLeavesMissingValuesEmpty) {
  LoadText("A Имя\n1.5 -999\n-999 -999\n2 3.25\n");
  EXPECT_EQ(test::ReadFile(Save("comma.csv", ',')),
            "\xEF\xBB\xBF" "A;Имя\r\n1,5;\r\n\"\";\r\n2;3,25\r\n");
  EXPECT_EQ(test::ReadFile(Save("point.csv", '.')),
            "\xEF\xBB\xBF" "A,Имя\r\n1.5,\r\n\"\",\r\n2,3.25\r\n");
  // Appended to an existing file, the table follows it without a second mark.
  WriteFile("log.csv", "earlier\r\n");
  EXPECT_EQ(test::ReadFile(Save("log.csv", '.', true)), "earlier\r\nA,Имя\r\n1.5,\r\n\"\",\r\n2,3.25\r\n");
}

// Values a transformation computes need 17 digits; the CSV table keeps them
// exactly, the workbook to its library's 16 digits.
TEST_F(SavedTableTest, ComputedValuesKeepTheirPrecision) {
  LoadText("A B\n1 2\n3 4\n");
  Data().DataValues[0][0] = 0.1 + 0.2;
  Data().DataValues[1][1] = 1.0 / 3.0;
  const Table computed = Current();
  LoadDataFile(Save("exact.csv", ','), ProgramSession());
  EXPECT_EQ(Current(), computed);
  LoadDataFile(Save("book.xlsx"), ProgramSession());
  const Table back = Current();
  for (std::size_t v = 0; v < computed.columns.size(); ++v) {
    for (std::size_t j = 0; j < computed.columns[v].size(); ++j)
      EXPECT_NEAR(back.columns[v][j], computed.columns[v][j], std::fabs(computed.columns[v][j]) * 4e-16);
  }
}

// A workbook replaces the file whole, even when the output dialog was told
// to append; a failed save leaves the old file as it was.
TEST_F(SavedTableTest, AWorkbookReplacesTheFileWhole) {
  LoadText("A\n1\n");
  WriteFile("book.xlsx", "old content");
  const std::string path = Save("book.xlsx", '.', true);
  EXPECT_EQ(test::ReadFile(path).substr(0, 2), "PK");
  ASSERT_TRUE(LoadDataFile(path, ProgramSession()).loaded);
  EXPECT_EQ(Current(), (Table{{"A"}, {{1}}}));

  Data().DataValues[0][0] = std::nan("");
  WriteFile("kept.xlsx", "old content");
  ResultsFile().Open(TempPath("kept.xlsx"), false);
  EXPECT_THROW(WriteSavedTable(ResultsFile(), Data(), {}, '.'), RangeError);
  ResultsFile().Abandon();
  EXPECT_EQ(test::ReadFile(TempPath("kept.xlsx")), "old content");
}

TEST_F(SavedTableTest, TheFormatGoesByTheNameAndLimitsTheVariables) {
  EXPECT_EQ(SavedTableFormatOf("/a/b.XLSX"), SavedTableFormat::Xlsx);
  EXPECT_EQ(SavedTableFormatOf("b.Csv"), SavedTableFormat::Csv);
  EXPECT_EQ(SavedTableFormatOf("b.xls"), SavedTableFormat::Text);
  EXPECT_EQ(SavedTableFormatOf("dir.csv/b"), SavedTableFormat::Text);
  EXPECT_EQ(SavedTableFormatOf(".csv"), SavedTableFormat::Text);
  // A table of 150 variables: too wide for the text table, not for the others.
  std::string names, values;
  for (int v = 0; v < 150; ++v) {
    names += "V" + std::to_string(v) + ";";
    values += std::to_string(v + 1) + ";";
  }
  ASSERT_TRUE(LoadDataFile(WriteFile("wide.csv", names + "\n" + values + "\n"), ProgramSession()).loaded);
  const Table wide = Current();
  EXPECT_EQ(MostSavedVariables("wide.txt"), kMaxVariables);
  EXPECT_THROW(Save("wide.txt"), RangeError);
  ResultsFile().Abandon();
  for (const char* name : {"wide2.csv", "wide2.xlsx"}) {
    EXPECT_EQ(MostSavedVariables(name), 255);
    ASSERT_TRUE(LoadDataFile(Save(name), ProgramSession()).loaded) << name;
    EXPECT_EQ(Current(), wide) << name;
  }
}

TEST_F(SavedTableTest, TheSystemDecimalPointComesFromTheEnvironment) {
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(SystemDecimalPoint(), '.');
  unsetenv("LC_ALL");
}

}  // namespace
}  // namespace tavrel
