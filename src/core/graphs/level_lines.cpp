#include "core/graphs/level_lines.h"

#include "core/data/dataset.h"
#include "core/data/numbers.h"
#include "core/statistics/descriptive.h"

namespace tavrel {

double LevelValue(int choice, double n, int v, double empty) {
  if (choice == kLevelNone || choice == kLevelNumber) return 0;
  const Variable var = GetVariable(v);
  double mean = 0, sigma = 0;
  if (var.last >= 0 && ContainsEmpty(var.values, var.last)) {
    MeanSigmaNoEmpty(var.values, var.last, empty, mean, sigma);
  } else {
    MeanSigma(var.values, var.last, empty, mean, sigma);
  }
  double low = 0, high = 0;
  OutlierLimits(var.last, mean, sigma, empty, low, high);
  switch (choice) {
    case kLevelMean:
      return mean;
    case kLevelMinusSigma:
      return mean - n * sigma;
    case kLevelPlusSigma:
      return mean + n * sigma;
    case kLevelLowOutlier:
      return low;
    case kLevelHighOutlier:
      return high;
    default:
      return 0;
  }
}

std::string LevelLabel(int choice, const std::string& sigmaText) {
  std::string label = choice >= 0 && choice < kLevelChoiceCount ? kLevelChoiceNames[choice] : kLevelOff;
  const std::size_t at = label.find("n@");
  if (at != std::string::npos) label.replace(at, 2, sigmaText + "@");
  return label;
}

void SetDefaultLevels() {
  GraphState& g = Graph();
  const DataSet& d = Data();
  for (int j = 0; j < kLevelLineCount; ++j) g.LevelLabels[j] = LevelLabel(kDefaultLevelChoices[j], kDefaultSigmaTexts[j]);
  for (int v = 0; d.NumVar > 0 && v <= d.LastVar; ++v) {
    VariableLevels& levels = LevelsFor(d.VarNames[v]);
    for (int j = 0; j < kLevelLineCount; ++j)
      levels.values[j] = LevelValue(kDefaultLevelChoices[j], ReadLeadingNumber(kDefaultSigmaTexts[j]), v, d.EmptyValue);
  }
  g.ShowLevels = true;
}

}  // namespace tavrel
