// Loading OpenDocument spreadsheets: packages built here by hand (zip + XML).
#include "app/shell/program_session.h"
#include "core/data/ods_reader.h"

#include <gtest/gtest.h>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/spreadsheet_input.h"
#include "core/shell/settings.h"
#include "test_support.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

using test::OdsContentXml;
using test::OdsEntries;
using test::OdsNumber;
using test::OdsRow;
using test::OdsText;

// What LibreOffice writes after the data: the rest of the sheet's rows and
// columns as repeated empty cells.
const std::string kSheetRest =
    OdsRow("<table:table-cell table:number-columns-repeated=\"1024\"/>", "table:number-rows-repeated=\"1048573\"");

class OdsReaderTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;
  }
  LoadOutcome Load(const std::string& content, const std::string& name = "book.ods",
                   const std::string& mimetype = test::kOdsMimeType) {
    const std::string path = TempPath(name);
    test::WriteZip(path, OdsEntries(content, mimetype));
    return LoadDataFile(path, ProgramSession());
  }
  std::vector<std::string> Names() const { return {Data().VarNames.begin(), Data().VarNames.end()}; }
  std::vector<std::vector<double>> Columns() const {
    std::vector<std::vector<double>> columns;
    for (const auto& c : Data().DataValues) columns.emplace_back(c.begin(), c.end());
    return columns;
  }
};

TEST_F(OdsReaderTest, ReadsTheFirstSheetAsLibreOfficeWritesIt) {
  const std::string names =
      OdsRow(OdsText("Pulse<text:s/>rate") + OdsText("Темп<text:span>ература</text:span>") + OdsNumber("2024") +
             "<table:table-cell table:number-columns-repeated=\"1021\"/>");
  const std::string rows =
      OdsRow(OdsNumber("72") + OdsNumber("36.6") +
             "<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\"><text:p>25%</text:p>"
             "<office:annotation><text:p>не число</text:p></office:annotation></table:table-cell>") +
      // a row written once for three observations, a value repeated over two columns
      OdsRow(OdsNumber("-999") + OdsText("37,5", "table:number-columns-repeated=\"2\""),
             "table:number-rows-repeated=\"3\"") +
      OdsRow(OdsNumber("1E-3") + OdsNumber("1") + OdsNumber("2") + "<table:covered-table-cell/>");
  const std::string second = "<table:table table:name=\"Лист2\">" + OdsRow(OdsText("other")) + "</table:table>";
  for (const char* name : {"book.ods", "book.xls", "export.dat"}) {
    SCOPED_TRACE(name);
    const LoadOutcome out = Load(OdsContentXml(names + rows + kSheetRest, second), name);
    ASSERT_TRUE(out.loaded) << out.readerWarning << out.warning;
    EXPECT_EQ(Names(), (std::vector<std::string>{"Pulse_ra", "Температ", "2024"}));
    EXPECT_EQ(Columns(), (std::vector<std::vector<double>>{
                             {72, -999, -999, -999, 0.001}, {36.6, 37.5, 37.5, 37.5, 1}, {0.25, 37.5, 37.5, 37.5, 2}}));
  }
}

TEST_F(OdsReaderTest, ABadCellFailsTheLoadNamingIt) {
  const std::string names = OdsRow(OdsText("A") + OdsText("B"));
  struct Case {
    const char* what;
    std::string rows;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {"a date",
       OdsRow(OdsNumber("1") +
              "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-05\"><text:p>05.01.24</text:p>"
              "</table:table-cell>"),
       "Ячейка B2 содержит дату, а не число"},
      {"a time",
       OdsRow(OdsNumber("1") + "<table:table-cell office:value-type=\"time\" office:time-value=\"PT10H\"/>"),
       "Ячейка B2 содержит время, а не число"},
      {"a boolean",
       OdsRow(OdsNumber("1") + "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"),
       "Ячейка B2 содержит логическое значение, а не число"},
      {"a formula's error",
       OdsRow(OdsNumber("1") +
              "<table:table-cell table:formula=\"of:=1/0\" office:value-type=\"float\" office:value=\"0\" "
              "calcext:value-type=\"error\"><text:p>#DIV/0!</text:p></table:table-cell>"),
       "Ячейка B2 содержит ошибку #DIV/0!"},
      {"a text", OdsRow(OdsNumber("1") + OdsText("abc")), "Ячейка B2 содержит текст «abc», а не число"},
      {"an empty cell inside", OdsRow(OdsNumber("1")) + OdsRow(OdsNumber("1") + OdsNumber("2")), "Ячейка B2 пуста"},
      {"a bad number", OdsRow(OdsNumber("1") + OdsNumber("1,5")), "Ячейка B2 содержит неверное число"},
      {"a number beyond a double", OdsRow(OdsNumber("1") + OdsNumber("1e309")),
       "Ячейка B2 содержит число, которое выходит за пределы допустимых чисел"},
      {"a repetition past the last column", OdsRow(OdsNumber("1", "table:number-columns-repeated=\"300\"")),
       "Больше 255 столбцов (ячейка IV2)"},
      {"a repetition past the last row",
       OdsRow(OdsNumber("1") + OdsNumber("2"), "table:number-rows-repeated=\"1048576\""), "Больше 1048576 строк"},
      {"repetitions beyond the budget",
       OdsRow(OdsNumber("1", "table:number-columns-repeated=\"200\""), "table:number-rows-repeated=\"100000\""),
       "Повторы строк и ячеек дают больше 16777216 ячеек сверх записанных в файле"},
      {"a repetition that is not a number", OdsRow(OdsNumber("1", "table:number-columns-repeated=\"x\"")),
       "Неверное число повторений «x»"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadOutcome out = Load(OdsContentXml(names + c.rows));
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\n" + c.detail);
    EXPECT_EQ(out.warning, kNoNumbers);
    EXPECT_EQ(Data().NumVar, 0);
  }
}

TEST_F(OdsReaderTest, HostilePackagesAreRefused) {
  const std::string good = OdsContentXml(OdsRow(OdsText("A")) + OdsRow(OdsNumber("1")));
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">]><office:document-content/>";
  struct Case {
    const char* what;
    test::ZipEntries entries;
    std::string detail;
  };
  test::ZipEntries noContent = OdsEntries(good);
  noContent.pop_back();
  const std::vector<Case> cases = {
      {"an entity declaration", OdsEntries(laughs), "Объявление типа документа в книге недопустимо"},
      {"a content part of another kind", OdsEntries("<worksheet/>"), "Часть content.xml не является содержимым книги"},
      {"no content part", noContent, "В книге OpenDocument нет части content.xml"},
      // A text document is not a spreadsheet: the .xlsx reader finds no workbook in it.
      {"another OpenDocument kind", OdsEntries(good, "application/vnd.oasis.opendocument.text"),
       "В архиве нет книги Excel"},
      {"a zip bomb", OdsEntries(OdsContentXml(std::string(40u << 20, ' '))),
       "Часть книги content.xml повреждена: слишком сильно сжата"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = TempPath("hostile.ods");
    test::WriteZip(path, c.entries);
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\n" + c.detail);
  }
}

}  // namespace
}  // namespace tavrel
