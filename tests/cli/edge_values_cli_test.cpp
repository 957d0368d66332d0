// Values at the edges, end to end: numbers beyond a double refused where they
// enter, tables the reader could not take back never written, settings a
// picture cannot be drawn with refused, and arithmetic on the extremes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/shell/program_session.h"
#include "cli_fixture.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "xlsx_builder.h"

namespace tavrel {
namespace {

class EdgeValuesCliTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    data_ = WriteFile("pulse.txt",
                      "Pulse AD Temp\n"
                      "60 120 36.6\n62 125 36.7\n65 118 36.5\n70 130 36.9\n68 128 36.8\n"
                      "72 135 37.0\n75 140 37.1\n71 133 36.9\n66 121 36.6\n64 119 36.6\n");
  }
  // A workbook of count columns V1.. with two rows of numbers.
  std::string WideWorkbook(int count) {
    std::string names, first, second;
    for (int c = 1; c <= count; ++c) {
      std::string letters;
      for (int n = c; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
      names += test::TextCell(letters + "1", "V" + std::to_string(c));
      first += test::NumberCell(letters + "2", std::to_string(c));
      second += test::NumberCell(letters + "3", std::to_string(c * 2));
    }
    const std::string path = TempPath("wide.xlsx");
    test::WriteZip(path, test::WorkbookEntries(test::SheetXml("<row>" + names + "</row><row>" + first +
                                                              "</row><row>" + second + "</row>")));
    return path;
  }
  std::string data_;
};

// Each number beyond a double is refused where it enters, naming the step,
// argument or cell; nothing is written.
TEST_F(EdgeValuesCliTest, NumbersBeyondADoubleAreRefusedWhereTheyEnter) {
  const std::string out = WriteFile("kept.txt", "untouched\n");
  const std::string book = TempPath("book.xlsx");
  test::WriteZip(book, test::WorkbookEntries(test::SheetXml(
                           "<row>" + test::TextCell("A1", "A") + test::TextCell("B1", "B") + "</row><row>" +
                           test::NumberCell("A2", "1") + test::TextCell("B2", "1e309") + "</row>")));
  const std::string beyond = " выходит за пределы допустимых чисел";
  const struct {
    std::string args;
    int code;
    std::string message;
  } cases[] = {
      {"prepare " + data_ + " " + out + " replace:72:1e309", kChoiceRefused, "Замещающее значение: «1e309»" + beyond + "\n"},
      {"prepare " + data_ + " " + out + " replace:-1e400:0", kChoiceRefused, "Заменяемое значение: «-1e400»" + beyond + "\n"},
      {"save " + book + " " + out, kInputRefused,
       "Ошибка в данных xls-файла\nЯчейка B2 содержит число, которое" + beyond + "\n"},
      {"cluster " + data_ + " /dev/null --beta 1e309", 2, "tavrel-cli cluster: --beta: «1e309»" + beyond + "\n"},
      {"stat elementary " + data_ + " " + out + " --level 1e309", 2, "tavrel-cli stat: --level: 1e309" + beyond + "\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), c.code) << c.args;
    EXPECT_EQ(err_.substr(0, c.message.size()), c.message) << c.args;
    EXPECT_EQ(test::ReadFile(out), "untouched\n") << c.args;
  }
  const std::string number = "Ошибка операций с целыми числами\n";
  const std::pair<std::string, std::string> calculators[] = {
      {"table22 1e309 50 25 50", number + "Выборка 1, Событие 1: «1e309»" + beyond + "\n"},
      {"diagnostic 90 20 10 1e309", number + "Тест-, Патология-: «1e309»" + beyond + "\n"},
      {"student 10 2 20 12 2e308 20", "Ошибка работы с целыми числами\nПараметр 2, @: «2e308»" + beyond + "\n"},
  };
  for (const auto& [args, message] : calculators) {
    EXPECT_EQ(Run("calc " + args, "", false), kChoiceRefused) << args;
    EXPECT_EQ(err_, message) << args;
    EXPECT_EQ(out_, "") << args;
  }
}

// The text table takes at most 100 names: saving more is refused before the
// file is touched, by every command that saves; 100 of them are saved and read back.
TEST_F(EdgeValuesCliTest, MoreThanAHundredVariablesAreNotSaved) {
  const std::string book = WideWorkbook(101);
  const std::string out = TempPath("saved.txt");
  const std::string refusal =
      "Текстовая таблица вмещает не более 100 переменных, а выбрано 101: выберите меньше переменных\n";
  for (const std::string& args : {"save " + book + " " + out, "save " + book + " " + out + " --append",
                                  "prepare " + book + " " + out + " rename:V1:W1",
                                  "cluster " + book + " /dev/null --save " + out}) {
    EXPECT_EQ(Run(args), kChoiceRefused) << args;
    EXPECT_EQ(err_, refusal) << args;
    EXPECT_FALSE(std::filesystem::exists(out)) << args;
  }
  std::string hundred;
  for (int v = 2; v <= 101; ++v) hundred += (v > 2 ? "," : "") + std::string("V") + std::to_string(v);
  ASSERT_EQ(Run("save " + book + " " + out + " --vars " + hundred), 0) << err_;
  ASSERT_TRUE(LoadDataFile(out, ProgramSession()).loaded);
  EXPECT_EQ(Data().NumVar, 100);
  EXPECT_EQ(Data().VarNames[0], "V2");
  EXPECT_EQ(Data().DataValues[99][1], 202);
}

// A step that overflows to an infinity is refused before the table is written.
TEST_F(EdgeValuesCliTest, AnOverflowOfTheArithmeticIsNotSaved) {
  const std::string big = WriteFile("big.txt", "A B\n1e200 1\n2 1e300\n");
  const std::string out = WriteFile("kept.txt", "untouched\n");
  EXPECT_EQ(Run("prepare " + big + " " + out + " arith:A:*:A:B"), kChoiceRefused);
  EXPECT_EQ(err_, "Переменная B, наблюдение 1: значение INF выходит за пределы допустимых чисел\n");
  EXPECT_EQ(test::ReadFile(out), "untouched\n");
}

// Any 32-bit shift runs or gives the shift's own refusal, the most negative one too.
TEST_F(EdgeValuesCliTest, EveryShiftGivesTheShiftsAnswer) {
  const std::string out = TempPath("shifted.txt");
  for (const char* shift : {"-2147483648", "2147483647", "-2147483647", "9", "-9"}) {
    EXPECT_EQ(Run("prepare " + data_ + " " + out + " shift:" + shift), kChoiceRefused) << shift;
    EXPECT_EQ(err_, "Данных недостаточно.\n") << shift;
  }
  ASSERT_EQ(Run("prepare " + data_ + " " + out + " shift:-7"), 0) << err_;
  ASSERT_TRUE(LoadDataFile(out, ProgramSession()).loaded);
  EXPECT_EQ(Data().NumObs, 3);
}

// The calculators show what cannot be computed as NAN; counts are whole
// numbers that a double holds exactly.
TEST_F(EdgeValuesCliTest, CalculatorsAtTheEdges) {
  const std::pair<std::string, std::string> shown[] = {
      {"student 10 0 30 12 0 30", "t-критерий: NAN, p: >0.05\n"},
      {"student 10 0 30 12 0 30 --sem", "t-критерий: NAN, p: >0.05\n"},
      {"diagnostic 9007199254740991 0 0 9007199254740991",
       "Чувствительность: 100.00%\nСпецифичность: 100.00%\nПрогноз +результата: 100.00%\n"
       "Прогноз -результата: 100.00%\nТочность: 100.00%\n"},
  };
  for (const auto& [args, out] : shown) {
    EXPECT_EQ(Run("calc " + args, "", false), 0) << args << err_;
    EXPECT_EQ(out_, out) << args;
  }
  const std::pair<std::string, std::string> refused[] = {
      {"diagnostic 1e308 1e308 1e308 1e308", "Переполнение регистра при работе с целыми числами\nТест+, Патология+\n"},
      {"diagnostic 90 20 10,5 80", "Ошибка операций с целыми числами\nТест-, Патология+: не целое число\n"},
  };
  for (const auto& [args, err] : refused) {
    EXPECT_EQ(Run("calc " + args, "", false), kChoiceRefused) << args;
    EXPECT_EQ(err_, err) << args;
  }
}

// On values near the largest doubles a graph that cannot be scaled ends with
// the program's own message, and the statistics write what they cannot
// compute as Nan; no command ends on a rounding of an undefined value.
TEST_F(EdgeValuesCliTest, ValuesNearTheLargestDoubles) {
  std::string ini = test::ReadFile(ini_);
  ini.insert(ini.find("OutputCat=") + 10, dir_.string());
  ini_ = WriteFile("Tavrel.ini", ini);
  const std::string data = WriteFile("huge.txt",
                                     "A B\n1.7e308 -1.7e308\n-1.7e308 1.79e308\n1.79e308 1\n5 -1.79e308\n"
                                     "1 2\n3 4\n-1.79e308 6\n8 1.7e308\n");
  const std::string scale = "Значения от -1.79E308 до 1.79E308 не помещаются на шкалу графика\n";
  for (const char* kind : {"sequential", "editor"}) {
    EXPECT_EQ(Run(std::string("graph ") + kind + " " + data + " " + TempPath("g.png"), "timeout 60 "), 1) << kind;
    EXPECT_EQ(err_, scale) << kind;
  }
  const std::string constant = WriteFile("constant.txt", "A\n1.7e308\n1.7e308\n1.7e308\n");
  EXPECT_EQ(Run("graph sequential " + constant + " " + TempPath("c.png"), "timeout 60 "), 0) << err_;
  for (const char* analysis : {"elementary", "variability", "levels", "normality", "pearson", "spearman",
                               "pair-student", "wilcoxon", "pair-wilcoxon", "student"}) {
    EXPECT_EQ(Run(std::string("stat ") + analysis + " " + data + " " + TempPath("s.txt") + " --rewrite"), 0)
        << analysis << err_;
    EXPECT_EQ(err_.find("вне диапазона целых чисел"), std::string::npos) << analysis << err_;
  }
  // Student's test, the last: spreads too large to square leave it undefined.
  EXPECT_NE(test::ReadFile(TempPath("s.txt")).find("       Nan     >0.05"), std::string::npos);
}

// A settings file must be a small regular file: a pipe or a device is refused
// at once (the limit on the run's time catches a wait), a step of 0 is
// reported as a bad key and the run goes on.
TEST_F(EdgeValuesCliTest, SettingsFilesAndValuesTheProgramCannotUse) {
  const std::string fifo = TempPath("fifo.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& ini : {fifo, std::string("/dev/zero")}) {
    ini_ = ini;
    EXPECT_EQ(Run("info " + data_, "ulimit -t 10; timeout 20 "), kInputRefused) << ini;
    EXPECT_EQ(err_, "Не удаётся прочитать файл " + ini + ": это не обычный файл\n");
  }
  std::string text = test::ReadFile(TAVREL_DIST_INI);
  text.replace(text.find("StepX="), 7, "StepX=0");
  ini_ = WriteFile("zero.ini", text);
  EXPECT_EQ(Run("info " + data_), 0);
  EXPECT_EQ(err_, "«0» вне допустимых значений 1..1000 (ключ StepX раздела Graphic файла конфигурации)\n");
}

}  // namespace
}  // namespace tavrel
