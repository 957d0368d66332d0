#include "core/graphs/level_lines.h"

#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/statistics/descriptive.h"

namespace tavrel {

double LevelValue(const DataSet& d, int choice, double n, int v) {
  if (choice == kLevelNone || choice == kLevelNumber) return 0;
  const Variable var = GetVariable(d, v);
  double mean = 0, sigma = 0;
  if (var.last >= 0 && ContainsEmpty(var.values, var.last, d.EmptyValue)) {
    MeanSigmaNoEmpty(var.values, var.last, d.EmptyValue, mean, sigma);
  } else {
    MeanSigma(var.values, var.last, d.EmptyValue, mean, sigma);
  }
  double low = 0, high = 0;
  OutlierLimits(var.last, mean, sigma, d.EmptyValue, low, high);
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

void SetDefaultLevels(const DataSet& d, GraphOverlays& g) {
  for (int j = 0; j < kLevelLineCount; ++j) g.LevelLabels[j] = LevelLabel(kDefaultLevelChoices[j], kDefaultSigmaTexts[j]);
  for (int v = 0; d.NumVar > 0 && v <= d.LastVar; ++v) {
    VariableLevels& levels = LevelsFor(g, d.VarNames[v]);
    for (int j = 0; j < kLevelLineCount; ++j)
      levels.values[j] = LevelValue(d, kDefaultLevelChoices[j], ReadLeadingNumber(kDefaultSigmaTexts[j]), v);
  }
  g.ShowLevels = true;
}

}  // namespace tavrel
