// Loading workbooks: small .xlsx packages built here with libzip, and one .xls fixture.
#include "app/shell/program_session.h"
#include "core/data/spreadsheet_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/data/data_input.h"
#include "core/data/data_table_writer.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "core/data/xlsx_reader.h"
#include "core/shell/settings.h"
#include "test_support.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

using test::NumberCell;
using test::SharedCell;
using test::SheetXml;
using test::TextCell;
using test::WorkbookEntries;
using test::ZipEntries;

constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Row(const std::string& cells, int r = 0) {
  return (r > 0 ? "<row r=\"" + std::to_string(r) + "\">" : std::string("<row>")) + cells + "</row>";
}

// A shared string table of the given entries (each already in its <si> markup).
std::string SharedStrings(const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst "
         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
         entries + "</sst>";
}

// Styles whose cell format 1 shows dates.
const std::string kDateStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"1\">"
    "<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts><cellXfs count=\"2\"><xf numFmtId=\"0\"/>"
    "<xf numFmtId=\"164\"/></cellXfs></styleSheet>";

class SpreadsheetInputTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;  // the table as read, every column kept
  }
  std::string Write(const ZipEntries& entries, const std::string& name = "book.xlsx") {
    const std::string path = TempPath(name);
    test::WriteZip(path, entries);
    return path;
  }
  std::vector<std::string> Names() const { return {Data().VarNames.begin(), Data().VarNames.end()}; }
  std::vector<std::vector<double>> Columns() const {
    std::vector<std::vector<double>> columns;
    for (const auto& c : Data().DataValues) columns.emplace_back(c.begin(), c.end());
    return columns;
  }
};

struct GoodCase {
  const char* what;
  std::string rows;
  std::string sharedStrings;
  std::vector<std::string> names;
  std::vector<std::vector<double>> columns;
};

TEST_F(SpreadsheetInputTest, ReadsTheCellsOfSmallWorkbooks) {
  const GoodCase cases[] = {
      {"numbers",
       Row(TextCell("A1", "A") + TextCell("B1", "B"), 1) + Row(NumberCell("A2", "1") + NumberCell("B2", "-2.5"), 2) +
           Row(NumberCell("A3", "1.5E3") + NumberCell("B3", "0.125"), 3),
       "",
       {"A", "B"},
       {{1, 1500}, {-2.5, 0.125}}},
      {"the largest doubles, as numbers and as text, and a number too small for one",
       Row(TextCell("A1", "Max"), 1) + Row(NumberCell("A2", "1.7976931348623157E308"), 2) +
           Row(TextCell("A3", "-1,7976931348623157e308"), 3) + Row(NumberCell("A4", "1e-400"), 4),
       "",
       {"Max"},
       {{1.7976931348623157e308, -1.7976931348623157e308, 0}}},
      {"text numbers with a comma and a point",
       Row(TextCell("A1", "X"), 1) + Row(TextCell("A2", " 1,5 "), 2) + Row(SharedCell("A3", 0), 3),
       SharedStrings("<si><t>2.25</t></si>"),
       {"X"},
       {{1.5, 2.25}}},
      {"a formula with its cached value",
       Row(TextCell("A1", "F"), 1) + Row("<c r=\"A2\"><f>1+3</f><v>4</v></c>", 2) +
           Row("<c r=\"A3\" t=\"str\"><f>\"7\"</f><v>7</v></c>", 3),
       "",
       {"F"},
       {{4, 7}}},
      {"missing cell and row references",
       Row("<c t=\"inlineStr\"><is><t>A</t></is></c><c t=\"inlineStr\"><is><t>B</t></is></c>") +
           Row("<c><v>1</v></c><c><v>2</v></c>") + Row("<c r=\"B3\"><v>4</v></c><c r=\"A3\"><v>3</v></c>"),
       "",
       {"A", "B"},
       {{1, 3}, {2, 4}}},
      {"shared strings with runs; phonetic runs left out",
       Row(SharedCell("A1", 0) + SharedCell("B1", 1), 1) + Row(NumberCell("A2", "1") + NumberCell("B2", "2"), 2),
       SharedStrings("<si><r><rPr><b/></rPr><t>Пу</t></r><r><t xml:space=\"preserve\">льс</t></r>"
                     "<rPh sb=\"0\" eb=\"1\"><t>ぷ</t></rPh></si><si><t>Temperature</t></si>"),
       {"Пульс", "Temperat"},
       {{1}, {2}}},
      {"names: numbers as text; an empty or blank name cell is named by its column; blanks, tabs and line "
       "breaks inside a name become _, before the name is cut",
       Row(NumberCell("A1", "2024") + TextCell("C1", " x y ") + TextCell("D1", "Pulse rate") +
               TextCell("E1", "a\tb&#10;c&#13;d") + TextCell("F1", " \t ") + TextCell("G1", "a       b"), 1) +
           Row(NumberCell("A2", "1") + NumberCell("B2", "2") + NumberCell("C2", "3") + NumberCell("D2", "4") +
                   NumberCell("E2", "5") + NumberCell("F2", "6") + NumberCell("G2", "7"), 2),
       "",
       {"2024", "Var2", "x_y", "Pulse_ra", "a_b_c_d", "Var6", "a_______"},
       {{1}, {2}, {3}, {4}, {5}, {6}, {7}}},
  };
  for (const GoodCase& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadOutcome out = LoadDataFile(Write(WorkbookEntries(SheetXml(c.rows), c.sharedStrings)), ProgramSession());
    ASSERT_TRUE(out.loaded) << out.readerWarning << out.warning;
    EXPECT_EQ(out.readerWarning, "");
    EXPECT_EQ(Names(), c.names);
    EXPECT_EQ(Columns(), c.columns);
    EXPECT_EQ(Data().NumObs, static_cast<std::int32_t>(c.columns[0].size()));
    EXPECT_EQ(Data().VarCounts[0], Data().NumObs);
  }
}

// A workbook's header cells become names the saved table keeps: the table
// saved from the workbook reads back with the same names over the same columns.
TEST_F(SpreadsheetInputTest, ATableSavedFromAWorkbookReadsBackWithItsNames) {
  const std::string header = TextCell("A1", "Pulse rate") + TextCell("C1", "a&#10;b") + TextCell("D1", "\t") +
                             TextCell("E1", "x&#13;") + NumberCell("F1", "1.5");
  std::string cells;
  for (const char* column : {"A", "B", "C", "D", "E", "F"}) cells += NumberCell(std::string(column) + "2", "2.5");
  ASSERT_TRUE(LoadDataFile(Write(WorkbookEntries(SheetXml(Row(header, 1) + Row(cells, 2)))), ProgramSession()).loaded);
  const std::vector<std::string> names = Names();
  EXPECT_EQ(names, (std::vector<std::string>{"Pulse_ra", "Var2", "a_b", "Var4", "x", "1.5"}));
  const std::string saved = TempPath("saved.txt");
  ResultsFile().Open(saved, false);
  WriteDataTable(ResultsFile(), Data());
  ResultsFile().Close();
  const std::vector<std::vector<double>> columns = Columns();
  ASSERT_TRUE(LoadDataFile(saved, ProgramSession()).loaded);
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(Columns(), columns);
}

// A workbook written while it is read (here only its modification time moves,
// over and over) is refused, never taken in part.
TEST_F(SpreadsheetInputTest, AWorkbookThatChangesWhileItIsReadIsRefused) {
  std::string rows = Row(TextCell("A1", "A"));
  for (int r = 2; r < 3000; ++r) rows += Row(NumberCell("A" + std::to_string(r), "1"));
  const std::string path = Write(WorkbookEntries(SheetXml(rows)));
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    const int fd = open(path.c_str(), O_WRONLY);
    for (long n = 0; !stop; ++n) {
      const timespec times[2] = {{0, UTIME_OMIT}, {1000000000 + n % 2, 0}};
      if (futimens(fd, times) != 0) break;
    }
    close(fd);
  });
  int refused = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (int attempt = 0; attempt < 200 && refused < 3 && std::chrono::steady_clock::now() < until; ++attempt) {
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    if (out.loaded) {
      EXPECT_EQ(Data().NumObs, 2998);
      continue;
    }
    ++refused;
    EXPECT_EQ(out.readerWarning,
              std::string(kSpreadsheetFailure) + "\nНе удаётся прочитать файл " + path + ": " + kChangedWhileRead);
    EXPECT_EQ(out.warning, kNoNumbers);
  }
  stop = true;
  writer.join();
  EXPECT_GT(refused, 0);
}

struct BadCase {
  const char* what;
  std::string rows;
  std::string detail;  // the second line of the message
};

TEST_F(SpreadsheetInputTest, ABadCellFailsTheWholeLoadAndLeavesNothing) {
  const std::string names = Row(TextCell("A1", "A") + TextCell("B1", "B"), 1);
  const BadCase cases[] = {
      {"an empty cell inside the table",
       names + Row(NumberCell("A2", "1"), 2) + Row(NumberCell("A3", "1") + NumberCell("B3", "2"), 3),
       "Ячейка B2 пуста"},
      {"an empty cell at the bottom",
       names + Row(NumberCell("A2", "1") + NumberCell("B2", "2"), 2) + Row(NumberCell("A3", "1"), 3),
       "Ячейка B3 пуста"},
      {"a text cell", names + Row(NumberCell("A2", "1") + TextCell("B2", "abc"), 2),
       "Ячейка B2 содержит текст «abc», а не число"},
      {"a date", names + Row(NumberCell("A2", "1") + "<c r=\"B2\" s=\"1\"><v>45000</v></c>", 2),
       "Ячейка B2 содержит дату, а не число"},
      {"a boolean", names + Row(NumberCell("A2", "1") + "<c r=\"B2\" t=\"b\"><v>1</v></c>", 2),
       "Ячейка B2 содержит логическое значение, а не число"},
      {"an error value", names + Row(NumberCell("A2", "1") + "<c r=\"B2\" t=\"e\"><v>#DIV/0!</v></c>", 2),
       "Ячейка B2 содержит ошибку #DIV/0!"},
      {"a formula without a cached value", names + Row(NumberCell("A2", "1") + "<c r=\"B2\"><f>A2</f></c>", 2),
       "Ячейка B2 пуста"},
      {"a formatted empty cell beyond the data widens the table",
       names + Row(NumberCell("A2", "1") + NumberCell("B2", "2") + "<c r=\"D2\" s=\"0\"/>", 2), "Ячейка D2 пуста"},
      {"cells out of order",
       names + Row(NumberCell("A3", "1") + NumberCell("B3", "2"), 3) +
           Row(NumberCell("A2", "1") + NumberCell("B2", "2"), 2),
       "Ячейка A2 пуста"},
      {"a row beyond the largest sheet", names + Row(NumberCell("A1048577", "1")), "Неверная ссылка на ячейку"},
      {"a shared string that is not there", names + Row(SharedCell("A2", 5) + NumberCell("B2", "2"), 2),
       "Ячейка A2 ссылается на несуществующую строку"},
      // numbers beyond a double, which the saved table could not hold
      {"a number beyond a double", names + Row(NumberCell("A2", "1") + NumberCell("B2", "1e309"), 2),
       "Ячейка B2 содержит число, которое выходит за пределы допустимых чисел"},
      {"a negative one", names + Row(NumberCell("A2", "-1.8e308") + NumberCell("B2", "2"), 2),
       "Ячейка A2 содержит число, которое выходит за пределы допустимых чисел"},
      {"a number of 5,000 digits", names + Row(NumberCell("A2", "1") + NumberCell("B2", std::string(5000, '9')), 2),
       "Ячейка B2 содержит число, которое выходит за пределы допустимых чисел"},
      {"a number text beyond a double", names + Row(NumberCell("A2", "1") + TextCell("B2", "1,5e309"), 2),
       "Ячейка B2 содержит число, которое выходит за пределы допустимых чисел"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadOutcome out = LoadDataFile(Write(WorkbookEntries(SheetXml(c.rows), "", kDateStyles)), ProgramSession());
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\n" + c.detail);
    EXPECT_EQ(out.warning, kNoNumbers);
    EXPECT_EQ(Data().NumVar, 0);
    EXPECT_EQ(Data().NumObs, 0);
    EXPECT_TRUE(Data().DataValues.empty());
  }
}

TEST_F(SpreadsheetInputTest, TwoHundredFiftyFiveColumnsLoadAndOneMoreFails) {
  for (const int columns : {255, 256}) {
    std::string names, values;
    for (int c = 1; c <= columns; ++c) {
      names += "<c t=\"inlineStr\"><is><t>v" + std::to_string(c) + "</t></is></c>";
      values += "<c><v>" + std::to_string(c) + "</v></c>";
    }
    const LoadOutcome out = LoadDataFile(Write(WorkbookEntries(SheetXml(Row(names) + Row(values)))), ProgramSession());
    if (columns == 255) {
      ASSERT_TRUE(out.loaded) << out.readerWarning;
      EXPECT_EQ(Data().NumVar, 255);
      EXPECT_EQ(Data().VarNames[254], "v255");
      EXPECT_EQ(Data().DataValues[254][0], 255.0);
    } else {
      EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\nБольше 255 столбцов (ячейка IV1)");
      EXPECT_EQ(Data().NumVar, 255);  // the failed load keeps the data in force
    }
  }
}

TEST_F(SpreadsheetInputTest, OnlyANameRowGivesTheNoDataMessageAlone) {
  const LoadOutcome out =
      LoadDataFile(Write(WorkbookEntries(SheetXml(Row(TextCell("A1", "A") + TextCell("B1", "B"))))), ProgramSession());
  EXPECT_FALSE(out.loaded);
  EXPECT_EQ(out.readerWarning, "");
  EXPECT_EQ(out.warning, kNoNumbers);
  EXPECT_EQ(Data().NumObs, 0);
}

// A workbook of two sheets: "First" (state given) holding first, "Second" holding second.
// sheet1.xml belongs to the second sheet, so the first sheet is not the first file.
ZipEntries TwoSheets(const std::string& state, const std::string& first, const std::string& second) {
  ZipEntries entries = WorkbookEntries(SheetXml(second));
  for (auto& [name, content] : entries) {
    if (name == "xl/workbook.xml") {
      content =
          "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
          "<sheet name=\"First\" sheetId=\"2\" state=\"" +
          state +
          "\" r:id=\"rId7\"/>"
          "<sheet name=\"Second\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    } else if (name == "xl/_rels/workbook.xml.rels") {
      content =
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" +
          std::string(kRel) +
          "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
          "<Relationship Id=\"rId7\" Type=\"" +
          std::string(kRel) +
          "worksheet\" "
          "Target=\"/xl/worksheets/../data/Sheet9.xml\"/></Relationships>";
    }
  }
  entries.emplace_back("xl/data/sheet9.xml", SheetXml(first));
  return entries;
}

TEST_F(SpreadsheetInputTest, TheFirstSheetIsTheWorkbooksFirstHiddenOrNot) {
  const std::string first = Row(TextCell("A1", "First")) + Row(NumberCell("A2", "1"));
  const std::string second = Row(TextCell("A1", "Second")) + Row(NumberCell("A2", "2"));
  for (const char* state : {"visible", "hidden"}) {
    SCOPED_TRACE(state);
    ASSERT_TRUE(LoadDataFile(Write(TwoSheets(state, first, second)), ProgramSession()).loaded);
    EXPECT_EQ(Names(), std::vector<std::string>{"First"});
    EXPECT_EQ(Data().DataValues[0][0], 1.0);
  }
}

TEST_F(SpreadsheetInputTest, TheReaderGoesByTheFilesFirstBytes) {
  const std::string xls = std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls";
  const std::string xlsx = Write(WorkbookEntries(SheetXml(Row(TextCell("A1", "Z")) + Row(NumberCell("A2", "5")))));
  const std::pair<std::string, std::string> renamed[] = {{xls, "old.xlsx"}, {xlsx, "new.XLS"}, {xlsx, "macro.xlsm"}};
  for (const auto& [source, name] : renamed) {
    const std::string path = TempPath(name);
    std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(LoadDataFile(path, ProgramSession()).loaded) << name;
  }
  const LoadOutcome out = LoadDataFile(WriteFile("text.xls", "A B\n1 2\n"), ProgramSession());
  EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\nФайл не является книгой Excel");
  EXPECT_EQ(out.warning, kNoNumbers);
}

// The .xls fixture was written with python3-xlwt (Debian package): a sheet "Данные"
// with Pulse, Давление, Temperature over three rows, "130,5" stored as text, and a
// second sheet that is not read.
TEST_F(SpreadsheetInputTest, ReadsTheFirstSheetOfAnXlsWorkbookAsTheEquivalentTextFile) {
  ASSERT_TRUE(LoadDataFile(std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls", ProgramSession()).loaded);
  const auto names = Names();
  const auto columns = Columns();
  LoadText("Pulse Давление Temperature\n72 120 36.6\n80 130.5 37.1\n64 110 36.9\n");
  EXPECT_EQ(names, Names());
  EXPECT_EQ(columns, Columns());
  EXPECT_EQ(names, (std::vector<std::string>{"Pulse", "Давление", "Temperat"}));
}

// A workbook a spreadsheet program wrote with a first column of dates and
// times (FreeXL gives them as ISO text): the observations' dates, not a variable.
TEST_F(SpreadsheetInputTest, AnXlsColumnOfDatesIsTheObservationsDates) {
  ASSERT_TRUE(LoadDataFile(std::string(TAVREL_TEST_DATA) + "/spreadsheets/dated.xls", ProgramSession()).loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс"}));
  EXPECT_EQ(Columns(), (std::vector<std::vector<double>>{{72, 74}}));
  ASSERT_EQ(Data().Dates.size(), 2u);
  EXPECT_EQ(DayMonthYearText(Data().Dates[0]), "05.01.2024 10:30");
  EXPECT_EQ(DayMonthYearText(Data().Dates[1]), "06.01.2024 11:00");
}

struct HostileCase {
  const char* what;
  std::string bytes;
  std::string detailStart;
};

TEST_F(SpreadsheetInputTest, HostileFilesGiveTheFailureMessage) {
  const std::string good = test::ReadFile(
      Write(WorkbookEntries(SheetXml(Row(TextCell("A1", "A")) + Row(NumberCell("A2", "1")))), "good.xlsx"));
  // A part that inflates a thousandfold: 40 MB of blanks.
  const std::string bomb = test::ReadFile(Write(
      WorkbookEntries(SheetXml(std::string(40u << 20, ' ') + Row(TextCell("A1", "A")) + Row(NumberCell("A2", "1")))),
      "bomb.xlsx"));
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
      "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&b;</t></is></c></row></sheetData></worksheet>";
  const std::string entity = test::ReadFile(Write(WorkbookEntries(laughs), "laughs.xlsx"));
  ZipEntries noSheet = WorkbookEntries(SheetXml(""));
  noSheet.pop_back();
  // The first sheet's relationship points at the styles.
  ZipEntries stylesAsSheet = WorkbookEntries(SheetXml(Row(TextCell("A1", "A")) + Row(NumberCell("A2", "1"))), "",
                                             kDateStyles);
  for (auto& [part, content] : stylesAsSheet) {
    if (part == "xl/_rels/workbook.xml.rels") content.replace(content.find("worksheets/sheet1.xml"), 21, "styles.xml");
  }
  const HostileCase cases[] = {
      {"a truncated archive", good.substr(0, good.size() / 2), "Архив книги повреждён (не является zip-архивом)"},
      {"a zip signature and nothing else", "PK\x03\x04" + std::string(100, 'x'),
       "Архив книги повреждён (не является zip-архивом)"},
      {"a sheet that is not well-formed",
       test::ReadFile(Write(WorkbookEntries("<worksheet>\n<sheetData></row></worksheet>"), "mismatch.xlsx")),
       "Часть книги xl/worksheets/sheet1.xml повреждена: закрывающий тег не совпадает с открывающим, строка 2"},
      {"a sheet that is not XML", test::ReadFile(Write(WorkbookEntries("A B\n1 2\n"), "text.xlsx")),
       "Часть книги xl/worksheets/sheet1.xml повреждена: синтаксическая ошибка, строка 1"},
      {"the first sheet's relationship points at the styles", test::ReadFile(Write(stylesAsSheet, "styles.xlsx")),
       "Первый лист книги «Лист1» указывает на часть xl/styles.xml, которая не является листом"},
      {"a zip bomb", bomb, "Часть книги xl/worksheets/sheet1.xml повреждена: слишком сильно сжата"},
      {"an entity declaration", entity, "Объявление типа документа в книге недопустимо"},
      {"a broken compound document", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'),
       "Книга Excel повреждена"},
      {"a sheet that is not there", test::ReadFile(Write(noSheet, "nosheet.xlsx")),
       "В книге нет части xl/worksheets/sheet1.xml"},
      {"an empty file", "", "Файл не является книгой Excel"},
      // A mutation of pulse.xls found by fuzzing: a text length FreeXL trusts and reads beyond.
      {"an over-long text record", test::ReadFile(std::string(TAVREL_TEST_DATA) + "/spreadsheets/overread.xls"),
       "Книга Excel повреждена"},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadOutcome out = LoadDataFile(WriteFile("hostile.xlsx", c.bytes), ProgramSession());
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning.rfind(std::string(kSpreadsheetFailure) + "\n" + c.detailStart, 0), 0u)
        << out.readerWarning;
    EXPECT_EQ(out.warning, kNoNumbers);
    EXPECT_EQ(Data().NumVar, 0);
  }
}

TEST_F(SpreadsheetInputTest, AHugeDeclaredSizeTakesOnlyTheRoomOfTheData) {
  const std::string rows = Row(TextCell("A1", "A")) + Row(NumberCell("A2", "1")) + Row(NumberCell("A3", "2"));
  ASSERT_TRUE(LoadDataFile(Write(WorkbookEntries(SheetXml(rows, "A1:IU1048576"))), ProgramSession()).loaded);
  EXPECT_EQ(Data().NumVar, 1);
  EXPECT_LE(Data().DataValues[0].capacity(), 16u);
}

TEST_F(SpreadsheetInputTest, TellsDateFormatsFromNumberFormats) {
  const std::pair<int, const char*> dates[] = {{14, ""},
                                               {22, ""},
                                               {47, ""},
                                               {164, "dd/mm/yyyy"},
                                               {165, "[$-419]d mmmm yyyy"},
                                               {166, "h:mm AM/PM"},
                                               {167, "[h]:mm"},
                                               {168, "yyyy-mm-dd\\ hh:mm"}};
  const std::pair<int, const char*> numbers[] = {{0, ""},
                                                 {2, ""},
                                                 {10, ""},
                                                 {49, ""},
                                                 {164, "General"},
                                                 {165, "0.00E+00"},
                                                 {166, "#,##0 \"дней\""},
                                                 {167, "[Red]0.00"},
                                                 {168, "0.0_m"},
                                                 {169, "\\d0"}};
  for (const auto& [id, code] : dates) EXPECT_TRUE(IsDateFormat(id, code)) << id << " " << code;
  for (const auto& [id, code] : numbers) EXPECT_FALSE(IsDateFormat(id, code)) << id << " " << code;
}

}  // namespace
}  // namespace tavrel
