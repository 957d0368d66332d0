#include "core/statistics/diagnostic_accuracy.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

using Values = std::array<const char*, kDiagnosticMeasures>;

// Sensitivity TP/(TP+FN), specificity TN/(FP+TN), predictive values TP/(TP+FP)
// and TN/(TN+FN), accuracy and prevalence over all four, worked out by hand.
TEST(Diagnostic, ShowsTheSixMeasuresAndCopiesFive) {
  const std::pair<DiagnosticCells, Values> cases[] = {
      {{"90", "20", "10", "80"}, {"90.00%", "80.00%", "81.82%", "88.89%", "85.00%", "50.00%"}},
      {{"1", "2", "3", "4"}, {"25.00%", "66.67%", "33.33%", "57.14%", "50.00%", "40.00%"}},
      {{" 3,0", "1.00 ", "0", "4"}, {"100.00%", "80.00%", "75.00%", "100.00%", "87.50%", "37.50%"}},
      // the largest counts: sums of them neither overflow nor lose the ones
      {{"9007199254740991", "0", "0", "9007199254740991"},
       {"100.00%", "100.00%", "100.00%", "100.00%", "100.00%", "50.00%"}},
      // no patients with the condition: sensitivity is 0/0
      {{"0", "20", "0", "80"}, {"NAN%", "80.00%", "0.00%", "100.00%", "80.00%", "0.00%"}},
      {{"0", "0", "0", "0"}, {"NAN%", "NAN%", "NAN%", "NAN%", "NAN%", "NAN%"}},
  };
  for (const auto& [cells, values] : cases) {
    const DiagnosticView v = Diagnostic(cells);
    EXPECT_EQ(v.refusal, "") << cells.tp;
    for (int i = 0; i < kDiagnosticMeasures; ++i) EXPECT_EQ(v.values[i], values[i]) << cells.tp << " " << i;
    EXPECT_EQ(v.clipboard, std::string("Чувствительность: ") + values[0] + "\nСпецифичность: " + values[1] +
                               "\nПрогноз +результата: " + values[2] + "\nПрогноз -результата: " + values[3] +
                               "\nТочность: " + values[4]);
  }
}

TEST(Diagnostic, RefusesCountsThatAreNotCounts) {
  const std::string number = "Ошибка операций с целыми числами\n";
  const std::pair<DiagnosticCells, std::string> cases[] = {
      {{"12abc", "20", "10", "80"}, number + "Тест+, Патология+: «12abc» не является числом"},
      {{"90", "20", "", "80"}, number + "Тест-, Патология+: «» не является числом"},
      {{"90", "-20", "10", "80"}, "Неверные данные: отрицательное число\nТест+, Патология-"},
      {{"90", "20", "1,5", "80"}, number + "Тест-, Патология+: не целое число"},
      {{"90", "20", "10", "1e-300"}, number + "Тест-, Патология-: не целое число"},
      {{"1e308", "1e308", "1e308", "1e308"}, "Переполнение регистра при работе с целыми числами\nТест+, Патология+"},
      {{"90", "9007199254740992", "10", "80"}, "Переполнение регистра при работе с целыми числами\nТест+, Патология-"},
      {{"90", "20", "1e309", "80"}, number + "Тест-, Патология+: «1e309» выходит за пределы допустимых чисел"},
  };
  for (const auto& [cells, message] : cases) {
    const DiagnosticView v = Diagnostic(cells);
    EXPECT_EQ(v.refusal, message);
    EXPECT_EQ(v.clipboard, "") << message;
  }
}

}  // namespace
}  // namespace tavrel
