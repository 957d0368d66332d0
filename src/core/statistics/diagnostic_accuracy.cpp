#include "core/statistics/diagnostic_accuracy.h"

#include <cmath>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/statistics/calculator_input.h"

namespace tavrel {

std::array<double, kDiagnosticMeasures> DiagnosticAccuracy(double tp, double fp, double fn, double tn) {
  const double all = tp + fp + fn + tn;
  return {tp / (tp + fn) * 100, tn / (fp + tn) * 100,  tp / (tp + fp) * 100,
          tn / (tn + fn) * 100, (tp + tn) / all * 100, (tp + fn) / all * 100};
}

namespace {

// Why value cannot be the count of a cell, or empty when it can.
std::string CountRefusal(double value, const char* field) {
  if (value < 0) return std::string(kDiagnosticNegative) + "\n" + field;
  if (value != std::floor(value)) return std::string(kDiagnosticNumberError) + "\n" + field + ": не целое число";
  // Whole numbers below 2^53 are exact, and sums of four of them stay far from overflow.
  if (value >= 0x1p53) return std::string(kDiagnosticOverflow) + "\n" + field;
  return {};
}

}  // namespace

DiagnosticView Diagnostic(const DiagnosticCells& cells) {
  struct Count {
    const std::string& text;
    const char* field;
    double value = 0;
  };
  Count counts[] = {{cells.tp, "Тест+, Патология+"},
                    {cells.fp, "Тест+, Патология-"},
                    {cells.fn, "Тест-, Патология+"},
                    {cells.tn, "Тест-, Патология-"}};
  DiagnosticView view;
  try {
    for (Count& c : counts) c.value = CalculatorNumber(c.text, c.field, kDiagnosticNumberError);
  } catch (const ConversionError& e) {
    view.refusal = e.what();
    return view;
  }
  for (const Count& c : counts) {
    view.refusal = CountRefusal(c.value, c.field);
    if (!view.refusal.empty()) return view;
  }
  const auto measures = DiagnosticAccuracy(counts[0].value, counts[1].value, counts[2].value, counts[3].value);
  for (int i = 0; i < kDiagnosticMeasures; ++i) view.values[i] = FixedDigitsText(measures[i], 4, 2) + "%";
  // Prevalence is shown but not copied.
  for (int i = 0; i < 5; ++i) {
    if (i > 0) view.clipboard += "\n";
    view.clipboard += std::string(kDiagnosticKeys[i]) + ": " + view.values[i];
  }
  return view;
}

}  // namespace tavrel
