// Hostile inputs through the batch tool: each file reads as its lines and
// names or is refused with the program's message, and every table the tool
// saves reads back with the same names and columns.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

using test::NumberCell;
using test::SheetXml;
using test::TextCell;
using test::WorkbookEntries;

// The first line of a saved table.
std::string FirstLine(const std::string& path) {
  const std::string text = test::ReadFile(path);
  return text.substr(0, text.find("\r\n"));
}

TEST_F(CliTest, AnyLineEndsReadAsTheLinesTheyEnd) {
  const std::string saved = TempPath("lf.out");
  ASSERT_EQ(Run("save " + WriteFile("lf.txt", "A B\n1 2\n3 4\n") + " " + saved), 0) << err_;
  const std::string expected = test::ReadFile(saved);
  for (const char* text : {"A B\r1 2\r3 4\r", "A B\r1 2\n3 4\r\n", "A B\r\r\n1 2\r\r3 4"}) {
    const std::string out = TempPath("ends.out");
    ASSERT_EQ(Run("save " + WriteFile("ends.txt", text) + " " + out), 0) << err_;
    EXPECT_EQ(test::ReadFile(out), expected) << text;
  }
}

// Blanks, tabs and line breaks in a workbook's header cell or a new name,
// and names left empty, would shift every later column of the saved table.
TEST_F(CliTest, NamesThatWouldBreakTheSavedTableAreMadeCleanWhereTheyEnter) {
  const std::string book = TempPath("names.xlsx");
  test::WriteZip(book, WorkbookEntries(SheetXml(
                           "<row>" + TextCell("A1", "Pulse rate") + TextCell("C1", "a\tb") +
                           TextCell("D1", "x&#10;y") + "</row><row>" + NumberCell("A2", "1") + NumberCell("B2", "2") +
                           NumberCell("C2", "3") + NumberCell("D2", "4") + "</row><row>" + NumberCell("A3", "5") +
                           NumberCell("B3", "6") + NumberCell("C3", "7") + NumberCell("D3", "8") + "</row>")));
  const std::string data = WriteFile("pulse.txt", "Pulse AD\n60 120\n62 130\n");
  struct Case {
    std::string command;  // OUT stands for the saved table
    std::string firstLine;
  };
  const Case cases[] = {
      {"save " + book + " OUT", "Pulse_ra     Var2      a_b      x_y "},
      {"prepare " + data + " OUT rename:Pulse:", "    Var1       AD "},
      {"prepare " + data + " OUT 'rename:Pulse: a b '", "     a_b       AD "},
      {"prepare " + data + " OUT 'rename:AD:\"a b\"'", "   Pulse    \"a_b\" "},
      {"cluster " + book + " " + TempPath("r.out") + " --clusters 1 --add-variable --save OUT",
       "Pulse_ra     Var2      a_b      x_y     CL_1 "},
  };
  for (const Case& c : cases) {
    const std::string out = TempPath("saved.txt");
    std::string command = c.command;
    command.replace(command.find("OUT"), 3, out);
    ASSERT_EQ(Run(command), 0) << command << "\n" << err_;
    EXPECT_EQ(FirstLine(out), c.firstLine) << command;
    // Read back and saved again, the table is the same.
    const std::string again = TempPath("again.txt");
    ASSERT_EQ(Run("save " + out + " " + again), 0) << command << "\n" << err_;
    EXPECT_EQ(test::ReadFile(again), test::ReadFile(out)) << command;
  }
}

TEST_F(CliTest, RefusedFilesSayWhyInRussian) {
  test::ZipEntries stylesAsSheet =
      WorkbookEntries(SheetXml("<row>" + TextCell("A1", "A") + "</row><row>" + NumberCell("A2", "1") + "</row>"), "",
                      "<styleSheet><cellXfs count=\"1\"><xf numFmtId=\"0\"/></cellXfs></styleSheet>");
  for (auto& [part, content] : stylesAsSheet) {
    if (part == "xl/_rels/workbook.xml.rels") content.replace(content.find("worksheets/sheet1.xml"), 21, "styles.xml");
  }
  const std::string styles = TempPath("styles.xlsx");
  test::WriteZip(styles, stylesAsSheet);
  const std::string broken = TempPath("broken.xlsx");
  test::WriteZip(broken, WorkbookEntries("<worksheet><sheetData></row></worksheet>"));
  const std::string badBook = "Ошибка в данных xls-файла\n";
  const std::string noNumbers = "\nОшибка ввода: нет числовых данных (n=0)\n";
  struct Case {
    std::string file, message;
  };
  const Case cases[] = {
      {WriteFile("junk.xlsx", "PK\x03\x04" + std::string(200, 'x')),
       badBook + "Архив книги повреждён (не является zip-архивом)" + noNumbers},
      {styles, badBook + "Первый лист книги «Лист1» указывает на часть xl/styles.xml, которая не является листом" +
                   noNumbers},
      {broken, badBook + "Часть книги xl/worksheets/sheet1.xml повреждена: закрывающий тег не совпадает с "
                         "открывающим, строка 1" +
                   noNumbers},
      {WriteFile("cr.txt", "A B\r1 2\r3 x\r"),
       "Ошибка ввода: неверные числовые данные\nФайл " + TempPath("cr.txt") + ", строка 3: «x» не является числом\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run("info " + c.file), kInputRefused) << c.file;
    EXPECT_EQ(err_, c.message);
    EXPECT_EQ(out_, "");
  }
}

}  // namespace
}  // namespace tavrel
