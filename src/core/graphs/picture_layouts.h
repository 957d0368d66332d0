#pragma once
// The layouts of the fixed-size picture windows: the distribution graph of one
// variable against the normal law, and the scatter diagram of two variables.
// Everything but the text widths (which depend on the font) is decided here.
#include <optional>
#include <string>
#include <vector>

#include "core/data/dataset.h"

namespace tavrel {

// The size of a picture window's image.
inline constexpr int kPictureWidth = 736;
inline constexpr int kPictureHeight = 469;

// The refusals of the distribution graph.
inline constexpr const char* kSigmaZeroMessage = "Cреднеквадратическое отклонение=0";  // Latin C, as ever
inline constexpr const char* kTooFewDataMessage = "Данных недостаточно";
inline constexpr const char* kDegreesOfFreedomMessage = "Число степеней свободы =";

struct PicturePoint {
  int x = 0, y = 0;
};

// A tick with its label; the label is drawn only where it fits.
struct PictureTick {
  int at = 0;  // x of a tick on the X axis, y of one on the Y axis
  std::string label;
};

struct PictureText {
  int x = 0, y = 0;
  std::string text;
};

struct DistributionLayout {
  std::string refusal;  // when not empty: the message, and nothing is drawn
  int width = kPictureWidth, height = kPictureHeight;
  int left = 50, right = 0, top = 40, bottom = 0;
  int classWidth = 1;  // pixels per class, at least 1
  std::string name;
  std::vector<PicturePoint> empirical, theoretical;
  std::vector<PictureTick> yTicks, xTicks;
  std::vector<PictureText> statistics;
};

// The distribution graph of values 0..last named name on an image of the given
// size; a statistic equal to emptyValue (the missing-value code) shows as "...".
DistributionLayout ComputeDistributionLayout(const Variable& variable, double emptyValue, int width = kPictureWidth,
                                             int height = kPictureHeight);

struct ScatterLayout {
  std::string refusal;  // when not empty: the message, and nothing is drawn
  int width = kPictureWidth, height = kPictureHeight;
  int left = 60, right = 0, top = 40, bottom = 0;
  int stepX = 0, stepY = 0;  // tick spacing in pixels, for whether a label fits
  std::string xName, yName;
  std::vector<PicturePoint> points;
  std::vector<PictureTick> xTicks, yTicks;
  int pairs = 0;        // pairs used
  int undrawable = 0;   // pairs whose position is no number, left out
};

// The scatter diagram of x against y over the pairs both have, after the
// pairwise deletion of missing values and of outliers when asked for (which
// add their notes to the processing note).
ScatterLayout ComputeScatterLayout(const Variable& x, const Variable& y, bool pairwiseMissing, bool pairwiseOutliers,
                                   int width = kPictureWidth, int height = kPictureHeight);

// A pixel coordinate, or nothing when the value is not a finite number of
// pixels within reach of an image.
std::optional<int> PixelOf(double value);

}  // namespace tavrel
