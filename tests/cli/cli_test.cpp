// Runs the batch tool as a user would and looks at its output, files and exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "cli_fixture.h"

namespace tavrel {
namespace {

TEST_F(CliTest, InfoListsTheVariablesOfAFileInEitherEncoding) {
  const std::string utf8 = WriteFile("u.txt", "Пульс Zero АД\n60 0 120\n-999 0 130\n70 0 110\n");
  ASSERT_EQ(Run("info " + utf8), 0) << err_;
  EXPECT_EQ(out_,
            "   N  Имя             Число  Пропуски      Минимум     Максимум      Шаг Y\n"
            "   0  Пульс             3         1       60.000       70.000      2.000\n"
            "   1  АД                3         0      110.000      130.000      5.000\n");
  const std::string cp1251 = WriteFile("w.txt", "\xCF\xF3\xEB\xFC\xF1 \xC0\xC4\n60 0\n70 1\n");
  ASSERT_EQ(Run("info " + cp1251 + " --missing 0"), 0) << err_;
  EXPECT_NE(out_.find("   0  Пульс             2         0       60.000       70.000      2.000\n"), std::string::npos)
      << out_;
  EXPECT_NE(out_.find("   1  АД                2         1"), std::string::npos) << out_;
}

TEST_F(CliTest, SaveWritesAFileThatLoadsBackTheSame) {
  const std::string data = WriteFile("d.txt", "A B C\n1 2.125 3\n4 5 6.5\n");
  const std::string saved = TempPath("saved.txt");
  ASSERT_EQ(Run("save " + data + " " + saved + " --vars C,A"), 0) << err_;
  EXPECT_EQ(test::ReadFile(saved), "       A        C \r\n    1.00     3.00 \r\n    4.00     6.50 \r\n");
  ASSERT_EQ(Run("save " + data + " " + saved), 0) << err_;
  ASSERT_EQ(Run("save " + data + " " + saved + " --append --vars B"), 0) << err_;
  const std::string both = test::ReadFile(saved);
  EXPECT_EQ(both,
            "       A        B        C \r\n    1.00    2.125     3.00 \r\n    4.00     5.00     6.50 \r\n"
            "       B \r\n   2.125 \r\n    5.00 \r\n");
  const std::string again = TempPath("again.txt");
  ASSERT_EQ(Run("save " + data + " " + saved), 0);
  ASSERT_EQ(Run("save " + saved + " " + again), 0) << err_;
  EXPECT_EQ(test::ReadFile(again), test::ReadFile(saved));
}

TEST_F(CliTest, FailuresAndWrongCallsHaveTheirExitCodes) {
  const std::string bad = WriteFile("bad.txt", "A\n1,5\n");
  EXPECT_EQ(Run("info " + bad), kInputRefused);
  EXPECT_EQ(err_, "Ошибка ввода: неверные числовые данные\nФайл " + bad + ", строка 2: «1,5» не является числом\n");
  EXPECT_EQ(Run("info " + WriteFile("names.txt", "A B\n")), kInputRefused);
  EXPECT_EQ(err_, "Ошибка ввода: нет числовых данных (n=0)\n");
  EXPECT_EQ(Run("save " + WriteFile("d.txt", "A\n1\n2\n") + " " + TempPath("o.txt") + " --vars Q"), kChoiceRefused);
  EXPECT_EQ(err_, "Нет переменной Q\n");
  EXPECT_EQ(Run("info"), 2);
  EXPECT_EQ(Run("info x --bogus"), 2);
  EXPECT_EQ(Run("nosuch"), 2);
  EXPECT_EQ(Run("info x --missing abc"), 2);
  for (const char* empty : {"\"\"", ",", "' , '"}) {
    EXPECT_EQ(Run("save " + WriteFile("d.txt", "A\n1\n") + " " + TempPath("o.txt") + " --vars " + empty), 2) << empty;
    EXPECT_NE(err_.find("--vars: пустой список переменных"), std::string::npos) << err_;
  }
}

// A settings file named on the command line that cannot be read must not
// leave the run on defaults (the missing-value code 0, for one).
TEST_F(CliTest, ASettingsFileThatCannotBeReadIsAnError) {
  const std::string data = WriteFile("d.txt", "A\n1\n2\n");
  const std::pair<std::string, std::string> cases[] = {
      {TempPath("none.ini"), "Нет файла конфигурации:" + TempPath("none.ini")},
      {WriteFile("empty.ini", ""), "Файл конфигурации пуст: " + TempPath("empty.ini")},
      {dir_.string(), "Не удаётся прочитать файл " + dir_.string() + ": это каталог, а не файл"},
  };
  for (const auto& [ini, message] : cases) {
    ini_ = ini;
    EXPECT_EQ(Run("info " + data), kInputRefused) << ini;
    EXPECT_EQ(err_, message + "\n");
  }
  // A bad key is reported and the run goes on with the other keys.
  std::string text = test::ReadFile(TAVREL_DIST_INI);
  text.replace(text.find("StepX="), 6, "StepX=x");
  ini_ = WriteFile("bad.ini", text);
  ASSERT_EQ(Run("info " + WriteFile("m.txt", "A\n-999\n2\n")), 0);
  EXPECT_NE(err_.find("(ключ StepX раздела Graphic файла конфигурации)"), std::string::npos) << err_;
  EXPECT_NE(out_.find("   0  A                 2         1"), std::string::npos) << out_;
}

// A full disk (here a limit on the file size) while a file is being replaced
// leaves the old file as it was and names the file; nothing is left beside it.
TEST_F(CliTest, AFailedReplaceKeepsTheOldFile) {
  std::string text = "A B C D E F\n";
  for (int i = 0; i < 200; ++i) {
    for (int v = 0; v < 6; ++v) text += std::to_string((i * (v + 3)) % 17) + " ";
    text += "\n";
  }
  const std::string data = WriteFile("d.txt", text);
  const std::string old = "old content\r\n";
  const std::string target = TempPath("target.out");
  for (const std::string& command : {"save " + data + " " + target, "stat 0 " + data + " " + target + " --rewrite",
                                     "cluster " + data + " /dev/null --save " + target}) {
    WriteFile("target.out", old);
    EXPECT_EQ(Run(command, "trap '' XFSZ; ulimit -f 1; "), command.rfind("stat", 0) == 0 ? kAnalysisFailed : kOutputRefused)
        << command;
    EXPECT_EQ(test::ReadFile(target), old) << command;
    EXPECT_EQ(err_, "Ошибка записи в файл " + target + ": файл слишком велик\n") << command;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Tavrel.ini", "d.txt", "stderr", "stdout", "target.out"})) << command;
    ASSERT_EQ(Run(command), 0) << command << err_;  // without the limit the file is replaced
    EXPECT_NE(test::ReadFile(target), old) << command;
  }
}

// A data file named *.out in the output directory is the default results file:
// writing there would append a report to the data, or replace the data.
TEST_F(CliTest, TheDataFileItselfIsNeverWrittenTo) {
  const std::string data = WriteFile("days.out", "A B\n1 2\n3 5\n4 4\n");
  const std::string original = test::ReadFile(data);
  std::string ini = test::ReadFile(TAVREL_DIST_INI);
  ini.replace(ini.find("OutputCat="), 10, "OutputCat=" + dir_.string() + "/");
  ini_ = WriteFile("Tavrel.ini", ini);
  const std::string message = "Файл результатов совпадает с файлом данных: ";
  for (const std::string& command :
       {"stat 0 " + data, "stat 0 " + data + " --rewrite", "cluster " + data, "save " + data + " " + data,
        "cluster " + data + " " + TempPath("r.out") + " --save " + dir_.string() + "/../" +
            dir_.filename().string() + "/days.out"}) {
    EXPECT_EQ(Run(command), kOutputRefused) << command;
    EXPECT_EQ(err_.rfind(message, 0), 0u) << err_;
    EXPECT_EQ(test::ReadFile(data), original) << command;
  }
}

TEST_F(CliTest, ClusterWritesTheProgramsReportAndTheNewVariable) {
  const std::string data = WriteFile("d.txt", "A B C\n1 5 0\n2 5 7\n10 6 0\n11 6 1\n30 1 2\n");
  const std::string report = TempPath("r.out");
  const std::string saved = TempPath("s.txt");
  ASSERT_EQ(Run("cluster " + data + " " + report + " --vars A,B --method 1 --clusters 2 --contents --add-variable "
                "--save " + saved), 0) << err_;
  const std::string text = test::ReadFile(report);
  EXPECT_NE(text.find("\r\nРасстояние между объектами : Евклидово\r\n"
                      "Расстояние между кластерами: \"Дальнего соседа\"\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" МАССИВЫ ИСХОДНЫХ ДАННЫХ ДЛЯ РАСЧЕТА "), std::string::npos);
  EXPECT_EQ(test::ReadFile(saved),
            "       A        B        C     CL_1 \r\n    1.00     5.00     0.00     1.00 \r\n"
            "    2.00     5.00     7.00     1.00 \r\n   10.00     6.00     0.00     1.00 \r\n"
            "   11.00     6.00     1.00     1.00 \r\n   30.00     1.00     2.00     2.00 \r\n");
  // Appended by default, rewritten on request.
  ASSERT_EQ(Run("cluster " + data + " " + report + " --distance 2 --method 5 --beta 0.5"), 0) << err_;
  EXPECT_GT(test::ReadFile(report).size(), text.size());
  ASSERT_EQ(Run("cluster " + data + " " + report + " --distance 2 --method 5 --print-distances --rewrite"), 0);
  const std::string again = test::ReadFile(report);
  EXPECT_EQ(again.find("Евклидово"), std::string::npos);
  EXPECT_NE(again.find("Расстояние между кластерами: \"Гибкий\" \r\n"), std::string::npos);
  EXPECT_NE(again.find("МАТРИЦА РАССТОЯНИЙ МЕЖДУ ОБЪЕКТАМИ"), std::string::npos);
}

TEST_F(CliTest, ClusterRefusalsGoToStandardError) {
  const std::string report = TempPath("r.out");
  std::string tall = "A\n";
  for (int i = 0; i < 3002; ++i) tall += std::to_string(i % 7) + "\n";
  struct Case {
    std::string data, options, message;
    int exitCode;
  };
  const Case cases[] = {
      {"A B\n1 2\n-999 3\n", "", "Пропуски не удалены.", kChoiceRefused},
      {"A B\n1 2\n1 3\n", "", "Ошибка нормирования: A имеет @=0", kAnalysisFailed},
      {"A B\n1 2\n1 3\n", "--distance 1", "A: Расстояние нельзя рассчитать(max-min=0)", kAnalysisFailed},
      {"A B\n1 2\n", "", "Недостаточно данных (0,1).", kChoiceRefused},
      {tall, "--rewrite", "Массив данных >3000: 3002 значений", kChoiceRefused},
  };
  for (const Case& c : cases) {
    WriteFile("r.out", "earlier results\r\n");
    EXPECT_EQ(Run("cluster " + WriteFile("d.txt", c.data) + " " + report + " " + c.options), c.exitCode)
        << c.message;
    EXPECT_EQ(err_, c.message + "\n");
    if (c.options == "--rewrite") {
      EXPECT_EQ(test::ReadFile(report), "earlier results\r\n");  // refused before opening
    }
  }
  const std::string data = WriteFile("d.txt", "A\n1\n2\n3\n");
  EXPECT_EQ(Run("cluster " + data + " --method 6"), 2);
  EXPECT_EQ(Run("cluster " + data + " --clusters 11"), 2);
  EXPECT_EQ(Run("cluster " + data + " --beta x"), 2);
}

}  // namespace
}  // namespace tavrel
