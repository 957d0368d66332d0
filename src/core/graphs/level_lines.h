#pragma once
// The values of the threshold lines drawn over the bands of the sequential graph.
#include <array>
#include <string>

#include "core/data/graph_overlays.h"

namespace tavrel {

struct DataSet;

// The choices of a line, in the order of the level dialog's lists.
enum LevelChoices : int {
  kLevelNone = 0,
  kLevelMean,
  kLevelMinusSigma,
  kLevelPlusSigma,
  kLevelLowOutlier,
  kLevelHighOutlier,
  kLevelNumber,
  kLevelChoiceCount
};
inline constexpr const char* kLevelChoiceNames[kLevelChoiceCount] = {"Нет",      "Среднее",  "M-n@", "M+n@",
                                                                     "Всплеск-", "Всплеск+", "Число"};

// The lines a user starts with, and their multipliers n.
inline constexpr std::array<int, kLevelLineCount> kDefaultLevelChoices = {kLevelMean, kLevelPlusSigma,
                                                                          kLevelHighOutlier};
inline constexpr std::array<const char*, kLevelLineCount> kDefaultSigmaTexts = {"1.0", "1.5", "2.0"};

// Whether the choice uses the multiplier n.
inline bool UsesSigma(int choice) { return choice == kLevelMinusSigma || choice == kLevelPlusSigma; }

// The value of a line of that choice for the variable in force v of d, from its raw
// values: mean and standard deviation over the values present, the outlier
// limits of the series; "Нет" and "Число" give 0.
double LevelValue(const DataSet& d, int choice, double n, int v);

// The caption of a line: the choice's text, with "n@" written out as the
// multiplier's text and "@" ("M+n@" with "1.5" gives "M+1.5@").
std::string LevelLabel(int choice, const std::string& sigmaText);

// The three default lines for every variable in force of d, switched on.
void SetDefaultLevels(const DataSet& d, GraphOverlays& overlays);

}  // namespace tavrel
