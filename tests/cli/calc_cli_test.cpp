// The batch tool's calculators, end to end.
#include <gtest/gtest.h>

#include "cli_fixture.h"

namespace tavrel {
namespace {

class CalcCliTest : public CliTest {
 protected:
  // The calculators read no settings: no --ini.
  int Calc(const std::string& args) { return Run("calc " + args, "", false); }
};

TEST_F(CalcCliTest, PrintsWhatTheWindowCopies) {
  const std::pair<std::string, std::string> cases[] = {
      {"student 10 2 20 12 2 20", "t-критерий: 3.162, p: <0.01 \n"},
      {"student 10 0.5 10 12 0,5 10 --sem", "t-критерий: 2.981, p: <0.01 \n"},
      {"table22 10 50 25 50", "Х2 = 9.89, p = <0.01\n"},
      {"diagnostic 90 20 10 80",
       "Чувствительность: 90.00%\nСпецифичность: 80.00%\nПрогноз +результата: 81.82%\n"
       "Прогноз -результата: 88.89%\nТочность: 85.00%\n"},
  };
  for (const auto& [args, out] : cases) {
    EXPECT_EQ(Calc(args), 0) << args << err_;
    EXPECT_EQ(out_, out) << args;
    EXPECT_EQ(err_, "") << args;
  }
}

TEST_F(CalcCliTest, RefusalsAndWrongCalls) {
  const std::pair<std::string, std::string> refused[] = {
      {"student 10 2 1 12 2 20", "Ошибка работы с целыми числами\nПараметр 1, N: размер выборки меньше 2\n"},
      {"table22 -1 50 25 50", "Неверные данные: х1>x2\n"},
      {"diagnostic 90 x 10 80", "Ошибка операций с целыми числами\nТест+, Патология-: «x» не является числом\n"},
  };
  for (const auto& [args, err] : refused) {
    EXPECT_EQ(Calc(args), kChoiceRefused) << args;
    EXPECT_EQ(out_, "") << args;
    EXPECT_EQ(err_, err) << args;
  }
  for (const char* args : {"", "student 10 2 20 12 2", "table22 1 2 3 4 5", "diagnostic 1 2 3 4 --sem", "chi2 1 2 3 4",
                           "student 10 2 20 12 2 20 --ini x"}) {
    EXPECT_EQ(Calc(args), 2) << args;
    EXPECT_NE(err_.find("Использование: tavrel-cli calc student"), std::string::npos) << args << err_;
  }
}

}  // namespace
}  // namespace tavrel
