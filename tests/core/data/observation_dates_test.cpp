// The observations' dates: read from a first column of dates, kept through the
// row operations, saved and loaded back.
#include "app/shell/program_session.h"
#include "core/data/observation_dates.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"
#include "core/data/session.h"
#include "core/preparation/row_cut.h"
#include "core/preparation/table_edit.h"
#include "core/shell/settings.h"
#include "test_support.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

const double kJan5 = DateSerial(2024, 1, 5);

std::vector<std::string> Shown(const Array<double>& dates) {
  std::vector<std::string> out;
  for (const double d : dates) out.push_back(std::isnan(d) ? "-" : IsoDateText(d));
  return out;
}

TEST(ObservationDates, ReadsTheFormsFilesWrite) {
  EXPECT_EQ(kJan5, 45296);  // as spreadsheets count
  struct Case {
    const char* text;
    const char* iso;  // nullptr: not a date
  };
  const Case cases[] = {
      {"2024-01-05", "2024-01-05"},         {"05.01.2024", "2024-01-05"},
      {"5/1/2024", "2024-01-05"},           {"2024-01-05T10:30:00", "2024-01-05 10:30"},
      {" 05.01.2024 10:30:15 ", "2024-01-05 10:30:15"}, {"29.02.2024", "2024-02-29"},
      {"29.02.2023", nullptr},              {"2024-13-01", nullptr},
      {"05.01.24", nullptr},                {"05-01-2024", nullptr},
      {"2024-01-05 25:00", nullptr},        {"05.01/2024", nullptr},
      {"36.6", nullptr},                    {"2024", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    double serial = 0;
    const bool date = ParseDateText(c.text, serial);
    EXPECT_EQ(date, c.iso != nullptr) << c.text;
    if (date && c.iso) {
      EXPECT_EQ(IsoDateText(serial), c.iso) << c.text;
    }
  }
  EXPECT_EQ(DayMonthYearText(kJan5), "05.01.2024");
  EXPECT_EQ(DateLabel(kJan5, std::nan("")), "05.01.2024");
  EXPECT_EQ(DateLabel(kJan5, kJan5 - 3), "05.01");
  EXPECT_EQ(DateLabel(kJan5, kJan5 - 7), "05.01.2024");  // 29.12.2023 was labelled before
  EXPECT_EQ(DateLabel(std::nan(""), kJan5), "");
  EXPECT_EQ(IsoDateText(std::nan("")), "");
}

class DatedTableTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;
    Config().EmptyValue = Data().EmptyValue = -999;
  }
  void Load(const std::string& path) {
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    ASSERT_TRUE(out.loaded) << out.readerWarning << out.warning;
  }
};

TEST_F(DatedTableTest, AFirstColumnOfDatesBecomesTheObservationsDates) {
  const std::vector<std::string> expected = {"2024-01-05", "2024-01-06 10:30", "-"};
  Load(WriteFile("dated.csv", "Дата;Пульс\r\n2024-01-05;72\r\n06.01.2024 10:30;75\r\n;76\r\n"));
  EXPECT_EQ(Shown(Data().Dates), expected);
  EXPECT_EQ(Data().NumVar, 1);
  EXPECT_EQ(Data().VarNames[0], "Пульс");

  // The same in workbooks: date cells of column A.
  const std::string xlsx = TempPath("dated.xlsx");
  const std::string styles =
      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"1\">"
      "<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts><cellXfs count=\"2\"><xf numFmtId=\"0\"/>"
      "<xf numFmtId=\"164\"/></cellXfs></styleSheet>";
  test::WriteZip(xlsx, test::WorkbookEntries(
                           test::SheetXml("<row>" + test::TextCell("A1", "Дата") + test::TextCell("B1", "Пульс") +
                                          "</row><row><c r=\"A2\" s=\"1\"><v>45296</v></c>" +
                                          test::NumberCell("B2", "72") +
                                          "</row><row><c r=\"A3\" t=\"d\"><v>2024-01-06T10:30:00</v></c>" +
                                          test::NumberCell("B3", "75") + "</row><row>" + test::NumberCell("B4", "76") +
                                          "</row>"),
                           "", styles));
  Load(xlsx);
  EXPECT_EQ(Shown(Data().Dates), expected);
  EXPECT_EQ(Data().VarNames[0], "Пульс");

  const std::string ods = TempPath("dated.ods");
  const auto date = [](const std::string& value) {
    return "<table:table-cell office:value-type=\"date\" office:date-value=\"" + value + "\"/>";
  };
  test::WriteZip(ods, test::OdsEntries(test::OdsContentXml(
                          test::OdsRow(test::OdsText("Дата") + test::OdsText("Пульс")) +
                          test::OdsRow(date("2024-01-05") + test::OdsNumber("72")) +
                          test::OdsRow(date("2024-01-06T10:30:00") + test::OdsNumber("75")) +
                          test::OdsRow("<table:table-cell/>" + test::OdsNumber("76")))));
  Load(ods);
  EXPECT_EQ(Shown(Data().Dates), expected);

  // A table without dates has none.
  Load(WriteFile("plain.csv", "A;B\n1;2\n"));
  EXPECT_TRUE(Data().Dates.empty());
}

TEST_F(DatedTableTest, ADateColumnHoldsOnlyDates) {
  const LoadOutcome csv =
      LoadDataFile(WriteFile("bad.csv", "Дата;Пульс\n2024-01-05;72\n7;75\n"), ProgramSession());
  EXPECT_FALSE(csv.loaded);
  EXPECT_NE(csv.warning.find("строка 3, столбец 1: «7» не является датой"), std::string::npos) << csv.warning;
  const std::string ods = TempPath("mixed.ods");
  test::WriteZip(ods, test::OdsEntries(test::OdsContentXml(
                          test::OdsRow(test::OdsText("Дата") + test::OdsText("Пульс")) +
                          test::OdsRow("<table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-05\"/>" +
                                       test::OdsNumber("72")) +
                          test::OdsRow(test::OdsNumber("7") + test::OdsNumber("75")))));
  const LoadOutcome mixed = LoadDataFile(ods, ProgramSession());
  EXPECT_FALSE(mixed.loaded);
  EXPECT_NE(mixed.readerWarning.find("Ячейка A3 содержит число среди дат"), std::string::npos) << mixed.readerWarning;
}

// Every row operation of the data table moves the dates with their rows.
TEST_F(DatedTableTest, TheDatesFollowTheirRows) {
  Load(WriteFile("days.csv", "Дата;A\n2024-01-01;1\n2024-01-02;2\n2024-01-03;3\n2024-01-04;4\n"));
  ASSERT_TRUE(InsertObservation(Data(), Config(), 1));
  EXPECT_EQ(Shown(Data().Dates), (std::vector<std::string>{"2024-01-01", "-", "2024-01-02", "2024-01-03", "2024-01-04"}));
  ASSERT_TRUE(DeleteObservation(Data(), Config(), 1));
  ASSERT_TRUE(MoveObservation(Data(), Config(), 3, 0));
  EXPECT_EQ(Shown(Data().Dates), (std::vector<std::string>{"2024-01-04", "2024-01-01", "2024-01-02", "2024-01-03"}));
  EXPECT_EQ(Data().DataValues[0][0], 4);
  KeepRows(Data(), {1, 0, 1, 0});
  EXPECT_EQ(Shown(Data().Dates), (std::vector<std::string>{"2024-01-04", "2024-01-02"}));
  EXPECT_EQ(Data().Dates.Count(), Data().NumObs);
}

// Saved as CSV or as a workbook the dates come back; the text table has no
// place for them.
TEST_F(DatedTableTest, SavedTablesKeepTheDates) {
  Load(WriteFile("dated.csv", "Дата;Пульс\n2024-01-05;72\n06.01.2024 10:30;-999\n;76\n"));
  const auto dates = Shown(Data().Dates);
  for (const char* name : {"saved.csv", "saved.xlsx", "saved.txt"}) {
    SCOPED_TRACE(name);
    Load(WriteFile("dated.csv", "Дата;Пульс\n2024-01-05;72\n06.01.2024 10:30;-999\n;76\n"));
    const std::string path = TempPath(name);
    ResultsFile().Open(path, false);
    WriteSavedTable(ResultsFile(), Data(), {}, ',');
    Load(path);
    EXPECT_EQ(Data().VarNames[0], "Пульс");
    EXPECT_EQ(Data().DataValues[0][1], -999);
    if (std::string(name) == "saved.txt") {
      EXPECT_TRUE(Data().Dates.empty());
    } else {
      EXPECT_EQ(Shown(Data().Dates), dates);
    }
  }
  EXPECT_EQ(DateRangeText(Data().Dates), "");
  Load(WriteFile("range.csv", "Дата,A\n2024-02-01,1\n,2\n2023-12-31,3\n"));
  EXPECT_EQ(DateRangeText(Data().Dates), "31.12.2023 – 01.02.2024");
}

// A graph names the dates at the ends of its X axis, the first and the last
// row's, whatever order the rows are in; info names the earliest and latest.
TEST(ObservationDates, TheRangeOfTheRowsAndTheRangeOfTheDates) {
  const double nan = std::nan("");
  const struct {
    Array<double> dates;
    const char* rows;
    const char* earliestToLatest;
  } cases[] = {
      {{kJan5, kJan5 + 1, kJan5 + 2}, "05.01.2024 – 07.01.2024", "05.01.2024 – 07.01.2024"},
      {{kJan5 + 27, kJan5 - 5, kJan5}, "01.02.2024 – 05.01.2024", "31.12.2023 – 01.02.2024"},
      {{nan, kJan5 + 1, kJan5 - 1, nan}, "06.01.2024 – 04.01.2024", "04.01.2024 – 06.01.2024"},
      {{nan, kJan5, nan}, "05.01.2024 – 05.01.2024", "05.01.2024 – 05.01.2024"},
      {{nan, nan}, "", ""},
      {{}, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstToLastDateText(c.dates), c.rows) << c.rows;
    EXPECT_EQ(DateRangeText(c.dates), c.earliestToLatest) << c.rows;
  }
}

}  // namespace
}  // namespace tavrel
