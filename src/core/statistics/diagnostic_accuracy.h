#pragma once
// The accuracy of a diagnostic test from the four counts of its table of test
// result against condition, in percent.
#include <array>
#include <string>

namespace tavrel {

inline constexpr const char* kDiagnosticNumberError = "Ошибка операций с целыми числами";
inline constexpr const char* kDiagnosticNegative = "Неверные данные: отрицательное число";
inline constexpr const char* kDiagnosticOverflow = "Переполнение регистра при работе с целыми числами";

// The six measures in the order of the window's list.
inline constexpr int kDiagnosticMeasures = 6;
inline constexpr std::array<const char*, kDiagnosticMeasures> kDiagnosticKeys = {
    "Чувствительность",    "Специфичность", "Прогноз +результата",
    "Прогноз -результата", "Точность",      "Распространенность"};

// Sensitivity, specificity, the positive and negative predictive values,
// accuracy and prevalence. A denominator of 0 gives an undefined or infinite value.
std::array<double, kDiagnosticMeasures> DiagnosticAccuracy(double tp, double fp, double fn, double tn);

// The input grid's texts: test positive with and without the condition, and
// test negative with and without it.
struct DiagnosticCells {
  std::string tp, fp, fn, tn;
};

// What the calculator shows after "Расчет".
struct DiagnosticView {
  std::string refusal;                                  // the warning shown in place of a result; empty when computed
  std::array<std::string, kDiagnosticMeasures> values;  // 2 decimals, at most 4 significant digits, and "%"
  std::string clipboard;                                // the first five measures, one a line
};

// Reads the counts and computes the measures. A count must be a whole number
// from 0 to below 2^53 (beyond it a double no longer counts in ones); any other
// is refused, naming its cell.
DiagnosticView Diagnostic(const DiagnosticCells& cells);

}  // namespace tavrel
