#include "core/statistics/diagnostic_accuracy.h"

#include "core/data/errors.h"
#include "core/data/numbers.h"
#include "core/statistics/calculator_input.h"

namespace tavrel {

std::array<double, kDiagnosticMeasures> DiagnosticAccuracy(double tp, double fp, double fn, double tn) {
  const double all = tp + fp + fn + tn;
  return {tp / (tp + fn) * 100, tn / (fp + tn) * 100,  tp / (tp + fp) * 100,
          tn / (tn + fn) * 100, (tp + tn) / all * 100, (tp + fn) / all * 100};
}

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
    if (c.value < 0) {
      view.refusal = std::string(kDiagnosticNegative) + "\n" + c.field;
      return view;
    }
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
