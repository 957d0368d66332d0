// The batch tool's statistics command, end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_fixture.h"

namespace tavrel {
namespace {

class StatCliTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    std::string ini = test::ReadFile(ini_);
    const std::size_t at = ini.find("OutputCat=");
    ini.insert(at + 10, dir_.string());
    ini_ = WriteFile("Tavrel.ini", ini);
    data_ = WriteFile("pulse.txt",
                      "Pulse AD Temp\n"
                      "60 120 36.6\n62 125 36.7\n65 118 36.5\n70 130 36.9\n68 128 36.8\n"
                      "72 135 37.0\n75 140 37.1\n71 133 36.9\n66 121 36.6\n64 119 36.6\n");
  }
  // The results file as a golden file sees it: date, time and the temporary directory masked.
  std::string Masked(const std::string& path) const {
    std::string text = test::ReadFile(path);
    for (std::size_t at; (at = text.find(dir_.string())) != std::string::npos;)
      text.replace(at, dir_.string().size(), "TMP");
    return text;
  }
  std::string data_;
};

TEST_F(StatCliTest, RunsEveryAnalysisByNameOrIndex) {
  const char* names[] = {"elementary", "variability", "levels",       "normality", "pearson",
                         "spearman",   "student",     "pair-student", "wilcoxon",  "pair-wilcoxon"};
  const char* titles[] = {" ЭЛЕМЕНТАРНАЯ СТАТИСТИКА",
                          " ВАРИАТИВНОСТЬ ДАННЫХ",
                          " Переменные    Среднее",
                          " НОРМАЛЬНОСТЬ ДАННЫХ",
                          " КОЭФФИЦИЕНТ КОРРЕЛЯЦИИ",
                          " РАНГОВАЯ КОРРЕЛЯЦИЯ ПО СПИРМЕНУ",
                          " ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО СТЬЮДЕНТУ",
                          " ТЕСТ РАЗЛИЧИЯ ПАР ПО СТЬЮДЕНТУ",
                          " ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО УИЛКОКСОНУ",
                          " ТЕСТ РАЗЛИЧИЯ ПАР ПО УИЛКОКСОНУ"};
  const std::string out = TempPath("all.out");
  for (int i = 0; i < 10; ++i) {
    for (const std::string& analysis : {std::string(names[i]), std::to_string(i)}) {
      ASSERT_EQ(Run("stat " + analysis + " " + data_ + " " + out + " --rewrite"), 0) << analysis << err_;
      const std::string text = test::ReadFile(out);
      EXPECT_TRUE(text.starts_with("\r\n\r\n\"Tavrel ")) << analysis;
      EXPECT_NE(text.find(" Переменные:\r\n Pulse AD Temp\r\n"), std::string::npos) << analysis;
      EXPECT_NE(text.find(std::string(titles[i]) + (i == 2 ? "" : "\r\n")), std::string::npos) << analysis;
      EXPECT_TRUE(text.ends_with("\r\n\r\n\r\n")) << analysis;
    }
  }
}

TEST_F(StatCliTest, WritesTheProgramsReportWithItsOptions) {
  const std::string out = TempPath("r.out");
  ASSERT_EQ(Run("stat pearson " + data_ + " " + out + " --vars Temp,Pulse --reliable"), 0) << err_;
  ASSERT_EQ(Run("stat levels " + data_ + " " + out + " --vars AD --level 1.5"), 0) << err_;
  test::ExpectGolden(Masked(out), "statistics/cli_pearson_levels.out");
}

TEST_F(StatCliTest, ProposesTheDataFileNameInTheOutputDirectoryAndAppends) {
  const std::string proposed = TempPath("pulse.out");
  ASSERT_EQ(Run("stat 0 " + data_), 0) << err_;
  ASSERT_EQ(Run("stat 1 " + data_), 0) << err_;
  const std::string both = test::ReadFile(proposed);
  EXPECT_NE(both.find(" ЭЛЕМЕНТАРНАЯ СТАТИСТИКА"), std::string::npos);
  EXPECT_NE(both.find(" ВАРИАТИВНОСТЬ ДАННЫХ"), std::string::npos);
  ASSERT_EQ(Run("stat 1 " + data_ + " --rewrite"), 0) << err_;
  EXPECT_EQ(test::ReadFile(proposed).find(" ЭЛЕМЕНТАРНАЯ СТАТИСТИКА"), std::string::npos);
}

TEST_F(StatCliTest, RefusalsAndFailuresExitWithTheirKindsCodeAndMessage) {
  const std::string missing = WriteFile("m.txt", "A B\n1 2\n-999 3\n4 5\n6 1\n");
  const std::string out = TempPath("m.out");
  EXPECT_EQ(Run("stat elementary " + missing + " " + out), kChoiceRefused);
  EXPECT_EQ(err_, "Пропуски не удалены.\n");
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(Run("stat pearson " + missing + " " + out), kChoiceRefused);
  EXPECT_EQ(Run("stat pearson " + missing + " " + out + " --pairwise-missing"), 0) << err_;
  EXPECT_NE(test::ReadFile(out).find(" A        B             3"), std::string::npos);

  EXPECT_EQ(Run("stat 0 " + WriteFile("one.txt", "A B\n1 2\n") + " " + out), kChoiceRefused);
  EXPECT_EQ(err_, "Недостаточно данных (0,1).\n");

  // 1e300 makes the spread too large to square: the pairs with C cannot be computed and are written Nan
  const std::string huge = WriteFile("h.txt", "A B C\n1 2 1\n2 3 2\n3 5 1e300\n4 9 4\n");
  EXPECT_EQ(Run("stat student " + huge + " " + out + " --rewrite"), 0) << err_;
  EXPECT_NE(test::ReadFile(out).find(" A        B             4     4     1.342     >0.05\r\n"
                                     " A        C             4     4       Nan     >0.05\r\n"),
            std::string::npos);

  EXPECT_EQ(Run("stat 0 " + data_ + " " + TempPath("no/such/dir.out")), kOutputRefused);
  EXPECT_NE(err_.find("no/such/dir.out"), std::string::npos) << err_;
}

TEST_F(StatCliTest, WrongCallsExitWithTwo) {
  for (const std::string& args : {std::string("stat"), std::string("stat 0"), "stat 10 " + data_,
                                  "stat median " + data_, "stat 0 " + data_ + " a b", "stat 2 " + data_ + " --level x",
                                  "stat 2 " + data_ + " --level 2,5", "stat 0 " + data_ + " --bogus"}) {
    EXPECT_EQ(Run(args), 2) << args;
    EXPECT_NE(err_.find("Использование: tavrel-cli stat"), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace tavrel
