// Runs the batch tool as a user would and looks at its output, files and exit codes.
#include <gtest/gtest.h>

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
  EXPECT_EQ(Run("info " + WriteFile("bad.txt", "A\n1,5\n")), 1);
  EXPECT_EQ(err_, "Ошибка ввода: неверные числовые данные\n");
  EXPECT_EQ(Run("info " + WriteFile("names.txt", "A B\n")), 1);
  EXPECT_EQ(err_, "Ошибка ввода: нет числовых данных (n=0)\n");
  EXPECT_EQ(Run("save " + WriteFile("d.txt", "A\n1\n") + " " + TempPath("o.txt") + " --vars Q"), 1);
  EXPECT_EQ(err_, "Нет переменной Q\n");
  EXPECT_EQ(Run("info"), 2);
  EXPECT_EQ(Run("info x --bogus"), 2);
  EXPECT_EQ(Run("nosuch"), 2);
  EXPECT_EQ(Run("info x --missing abc"), 2);
}

TEST_F(CliTest, AMissingSettingsFileIsReportedAndTheRunGoesOn) {
  ini_ = TempPath("none.ini");
  ASSERT_EQ(Run("info " + WriteFile("d.txt", "A\n1\n2\n")), 0);
  EXPECT_EQ(err_, "Нет файла конфигурации:" + ini_ + "\n");
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
  struct Case {
    std::string data, options, message;
  };
  const Case cases[] = {
      {"A B\n1 2\n-999 3\n", "", "Пропуски не удалены."},
      {"A B\n1 2\n1 3\n", "", "Ошибка нормирования: A имеет @=0"},
      {"A B\n1 2\n1 3\n", "--distance 1", "A: Расстояние нельзя рассчитать(max-min=0)"},
      {"A B\n1 2\n", "", "Для кластерного анализа нужно не менее двух наблюдений."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run("cluster " + WriteFile("d.txt", c.data) + " " + report + " " + c.options), 1) << c.data;
    EXPECT_EQ(err_, c.message + "\n");
  }
  const std::string data = WriteFile("d.txt", "A\n1\n2\n3\n");
  EXPECT_EQ(Run("cluster " + data + " --method 6"), 2);
  EXPECT_EQ(Run("cluster " + data + " --clusters 11"), 2);
  EXPECT_EQ(Run("cluster " + data + " --beta x"), 2);
}

}  // namespace
}  // namespace tavrel
