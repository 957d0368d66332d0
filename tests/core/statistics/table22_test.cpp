#include "core/statistics/table22.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrel {
namespace {

// chi2 = N (f11 f22 - f21 f12)^2 / (column and row sums), worked out by hand.
TEST(Table22, ShowsChiSquareSignificanceAndRowPercentages) {
  struct Case {
    Table22Cells cells;
    const char* chi2;
    const char* p;
    bool significant;
    std::array<std::array<const char*, 2>, 2> percent;
  };
  const Case cases[] = {
      // 100 * (250 - 1000)^2 / (35 * 65 * 50 * 50) = 9.8901
      {{{"10", "25"}, {"50", "50"}}, "9.89", "<0.01", true, {{{"20.0", "80.0"}, {"50.0", "50.0"}}}},
      // 2000 * (300 * 900 - 100 * 700)^2 / (400 * 1600 * 1000 * 1000) = 125
      {{{"300", "100"}, {"1000", "1000"}}, "125.00", "<0.001", true, {{{"30.0", "70.0"}, {"10.0", "90.0"}}}},
      // 120 * (15 * 33 - 27 * 45)^2 / (42 * 78 * 60 * 60) = 5.2747
      {{{"15", "27"}, {"60", "60"}}, "5.27", "<0.05", true, {{{"25.0", "75.0"}, {"45.0", "55.0"}}}},
      // 80 * (12 * 20 - 20 * 28)^2 / (32 * 48 * 40 * 40) = 3.3333
      {{{" 12", "20 "}, {"40", "40,0"}}, "3.33", ">0.05", false, {{{"30.0", "70.0"}, {"50.0", "50.0"}}}},
      // equal proportions
      {{{"10", "20"}, {"50", "100"}}, "0.00", ">0.05", false, {{{"20.0", "80.0"}, {"20.0", "80.0"}}}},
      {{{"1", "2"}, {"3", "3"}}, "0.67", ">0.05", false, {{{"33.3", "66.7"}, {"66.7", "33.3"}}}},
      // chi2 = N = 100000 takes the general form
      {{{"50000", "0"}, {"50000", "50000"}}, "1E5", "<0.001", true, {{{"100.0", "0.0"}, {"0.0", "100.0"}}}},
      // no events at all: the event column sums to 0 and chi2 is 0/0
      {{{"0", "0"}, {"50", "50"}}, "NAN", ">0.05", false, {{{"0.0", "100.0"}, {"0.0", "100.0"}}}},
      // an empty first sample: its row is 0/0
      {{{"0", "5"}, {"0", "10"}}, "NAN", ">0.05", false, {{{"NAN", "NAN"}, {"50.0", "50.0"}}}},
  };
  for (const Case& c : cases) {
    const Table22View v = Table22(c.cells);
    EXPECT_EQ(v.refusal, "") << c.chi2;
    EXPECT_EQ(v.chi2, c.chi2);
    EXPECT_EQ(v.p, std::string("p") + c.p) << c.chi2;
    EXPECT_EQ(v.significant, c.significant) << c.chi2;
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) EXPECT_EQ(v.percent[i][j], c.percent[i][j]) << c.chi2 << " " << i << j;
    EXPECT_EQ(v.clipboard, std::string("Х2 = ") + c.chi2 + ", p = " + c.p);
  }
}

TEST(Table22, ComparesWithTheCriticalValuesStrictly) {
  const std::pair<double, const char*> cases[] = {
      {10.8271, "<0.001"}, {10.827, "<0.01"}, {6.6351, "<0.01"}, {6.635, "<0.05"},
      {3.8411, "<0.05"},   {3.841, ">0.05"},  {0, ">0.05"},      {std::numeric_limits<double>::quiet_NaN(), ">0.05"},
  };
  for (const auto& [chi2, p] : cases) EXPECT_EQ(PByChi2OneDf(chi2), p) << chi2;
}

TEST(Table22, RefusesCountsThatMakeNoTable) {
  const std::string number = "Ошибка операций с целыми числами\n";
  const std::pair<Table22Cells, std::string> cases[] = {
      {{{"60", "25"}, {"50", "50"}}, "Неверные данные: х1>x2"},
      {{{"10", "51"}, {"50", "50"}}, "Неверные данные: х1>x2"},
      {{{"-1", "25"}, {"50", "50"}}, "Неверные данные: х1>x2"},
      {{{"-5", "25"}, {"-3", "50"}}, "Неверные данные: х1>x2"},
      {{{"10", "25"}, {"50", "12abc"}}, number + "Выборка 2, Всего: «12abc» не является числом"},
      {{{"", "25"}, {"50", "50"}}, number + "Выборка 1, Событие 1: «» не является числом"},
  };
  for (const auto& [cells, message] : cases) {
    const Table22View v = Table22(cells);
    EXPECT_EQ(v.refusal, message);
    EXPECT_EQ(v.clipboard, "") << message;
  }
}

}  // namespace
}  // namespace tavrel
