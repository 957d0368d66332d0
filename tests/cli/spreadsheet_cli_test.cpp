// The batch tool on workbooks: the same data set as the equivalent text file.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_fixture.h"
#include "xls_builder.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

TEST_F(CliTest, InfoOnAWorkbookListsWhatTheEquivalentTextFileGives) {
  const std::string text =
      WriteFile("pulse.txt", "Pulse Давление Temperature\n72 120 36.6\n80 130.5 37.1\n64 110 36.9\n");
  ASSERT_EQ(Run("info " + text), 0) << err_;
  const std::string expected = out_;

  ASSERT_EQ(Run("info " + std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls"), 0) << err_;
  EXPECT_EQ(out_, expected);

  const std::string xlsx = TempPath("pulse.xlsx");
  test::WriteZip(xlsx, test::WorkbookEntries(test::SheetXml(
                           "<row>" + test::TextCell("A1", "Pulse") + test::TextCell("B1", "Давление") +
                           test::TextCell("C1", "Temperature") + "</row><row>" + test::NumberCell("A2", "72") +
                           test::NumberCell("B2", "120") + test::NumberCell("C2", "36.6") + "</row><row>" +
                           test::NumberCell("A3", "80") + test::TextCell("B3", "130,5") +
                           test::NumberCell("C3", "37.1") + "</row><row>" + test::NumberCell("A4", "64") +
                           test::NumberCell("B4", "110") + test::NumberCell("C4", "36.9") + "</row>")));
  ASSERT_EQ(Run("info " + xlsx), 0) << err_;
  EXPECT_EQ(out_, expected);
  EXPECT_EQ(err_, "");
}

// save and prepare write a workbook or a CSV table by the output's name; each
// describes the same data set as the text file it came from.
TEST_F(CliTest, SaveAndPrepareWriteWorkbooksAndCsvByTheOutputsName) {
  const std::string text = WriteFile("pulse.txt", "Pulse Давление\n72 120.5\n-999 130\n");
  ASSERT_EQ(Run("info " + text), 0) << err_;
  const std::string expected = out_;
  for (const char* name : {"out.xlsx", "out.csv"}) {
    SCOPED_TRACE(name);
    const std::string saved = TempPath(name);
    ASSERT_EQ(Run("save " + text + " " + saved, "LC_ALL=C "), 0) << err_;
    ASSERT_EQ(Run("info " + saved), 0) << err_;
    EXPECT_EQ(out_, expected);
    const std::string prepared = TempPath(std::string("prepared-") + name);
    ASSERT_EQ(Run("prepare " + text + " " + prepared + " rename:Pulse:Пульс"), 0) << err_;
    ASSERT_EQ(Run("info " + prepared), 0) << err_;
    EXPECT_NE(out_.find("Пульс"), std::string::npos) << out_;
  }
  // In the C locale's number format: "," between fields.
  EXPECT_EQ(test::ReadFile(TempPath("out.csv")), "\xEF\xBB\xBFPulse,Давление\r\n72,120.5\r\n,130\r\n");
  // Never over the data file itself, whatever the format.
  EXPECT_EQ(Run("save " + text + " " + text), kOutputRefused);
}

TEST_F(CliTest, InfoNamesTheRangeOfTheDates) {
  ASSERT_EQ(Run("info " + WriteFile("dated.csv", "Дата;Пульс\n06.01.2024;72\n05.01.2024;75\n")), 0) << err_;
  EXPECT_NE(out_.find("\nДаты: 05.01.2024 – 06.01.2024\n"), std::string::npos) << out_;
  ASSERT_EQ(Run("info " + WriteFile("plain.csv", "Пульс\n72\n")), 0) << err_;
  EXPECT_EQ(out_.find("Даты"), std::string::npos) << out_;
}

TEST_F(CliTest, ABadWorkbookGivesBothMessagesAndFails) {
  EXPECT_EQ(Run("info " + WriteFile("bad.xlsx", "A B\n1 2\n")), kInputRefused);
  EXPECT_EQ(err_,
            "Ошибка в данных xls-файла\nФайл не является книгой Excel\nОшибка ввода: нет числовых данных (n=0)\n");
}

// A true/false or error cell is refused in a .xls workbook as in a .xlsx one.
TEST_F(CliTest, AnXlsErrorCellIsRefusedNamingTheCell) {
  const std::string cells = test::XlsNumber(0, 0, 1) + test::XlsNumber(1, 0, 5) +
                            test::XlsBoolErr(2, 0, 0x07, true);
  const std::string book = WriteFile("book.xls", test::XlsCompoundFile(test::XlsWorkbookStream(3, 1, cells)));
  EXPECT_EQ(Run("info " + book), kInputRefused);
  EXPECT_EQ(err_, "Ошибка в данных xls-файла\nЯчейка A3 содержит ошибку #DIV/0!\nОшибка ввода: нет числовых данных (n=0)\n");
}

// The batch tool looks for the .xls reader beside itself: a copy without it says so.
TEST_F(CliTest, ACopyWithoutItsXlsReaderNamesTheMissingProgram) {
  const std::string dir = TempPath("elsewhere");
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(TAVREL_CLI, dir + "/tavrel-cli");
  const std::string command = dir + "/tavrel-cli info " + std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls --ini " +
                              ini_ + " 2>" + TempPath("stderr");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kInputRefused) << status;
  EXPECT_EQ(test::ReadFile(TempPath("stderr")),
            "Ошибка в данных xls-файла\nНе удаётся начать чтение книги: не запускается программа " + dir +
                "/tavrel-xls-reader: нет такого файла или каталога\nОшибка ввода: нет числовых данных (n=0)\n");
}

}  // namespace
}  // namespace tavrel
