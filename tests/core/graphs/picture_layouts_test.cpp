#include "core/graphs/picture_layouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/data/dataset.h"
#include "core/statistics/pair_deletion.h"

namespace tavrel {
namespace {

Variable Var(const std::string& name, const std::vector<double>& values) {
  Variable v;
  v.name = name;
  v.values = Array<double>(values);
  v.last = static_cast<std::int32_t>(values.size()) - 1;
  return v;
}

std::vector<double> Range(double from, double step, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(from + step * i);
  return values;
}

TEST(DistributionLayoutTest, RefusesWhatCannotBeDrawn) {
  struct Case {
    const char* what;
    std::vector<double> values;
    std::string refusal;
  };
  const Case cases[] = {
      {"no values", {}, "Данных недостаточно"},
      {"one value", {5}, "Данных недостаточно"},
      {"two values give no class", {1, 2}, "Данных недостаточно"},
      {"all equal", {4, 4, 4, 4, 4, 4, 4, 4}, "Cреднеквадратическое отклонение=0"},
      {"three values: 2 classes", {1, 2, 3}, "Число степеней свободы =-1"},
      {"six values: 3 classes", Range(1, 1, 6), "Число степеней свободы =0"},
      {"seven values are drawn", Range(1, 1, 7), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DistributionLayout g = ComputeDistributionLayout(Var("A", c.values), 0);
    EXPECT_EQ(g.refusal, c.refusal);
    EXPECT_EQ(g.empirical.empty(), !c.refusal.empty());
  }
  // The standard-deviation refusal starts with the Latin C.
  EXPECT_EQ(std::string(kSigmaZeroMessage).substr(0, 1), "C");
}

// Classes counted here from their definition, not by the histogram routine.
TEST(DistributionLayoutTest, PolygonPointsFollowTheClassesAndTheAxesTheirSteps) {
  std::vector<double> values = Range(10, 0.7, 21);  // 10 .. 24
  values[3] = 10.2;                                 // uneven classes
  values[20] = 24;
  const DistributionLayout g = ComputeDistributionLayout(Var("Пульс", values), 0);
  ASSERT_EQ(g.refusal, "");
  const int k = 7;
  const double min = 10, h = 14 * 1.02 / k, a = min - 0.01 * h;
  const int left = 50, right = kPictureWidth - 60, bottom = kPictureHeight - 100, plot = bottom - 40 - 10;
  const int w = (right - left - 10) / k;
  ASSERT_EQ(g.empirical.size(), std::size_t(k));
  ASSERT_EQ(g.theoretical.size(), std::size_t(k));
  for (int i = 0; i < k; ++i) {
    int count = 0;
    for (double v : values) count += v > a + i * h && v <= a + (i + 1) * h;
    EXPECT_EQ(g.empirical[i].x, left + w / 2 + i * w) << i;
    EXPECT_EQ(g.empirical[i].y, bottom - static_cast<int>(std::nearbyint(count / 21.0 * plot)) - 1) << i;
    EXPECT_EQ(g.theoretical[i].x, g.empirical[i].x);
  }
  ASSERT_EQ(g.yTicks.size(), 6u);
  EXPECT_EQ(g.yTicks[0].label, "0%");
  EXPECT_EQ(g.yTicks[5].label, "100%");
  EXPECT_EQ(g.yTicks[5].at, bottom - 5 * (plot / 5) - 1);
  // X ticks every class width from the left edge while inside the frame, labelled from min.
  ASSERT_EQ(g.xTicks.size(), std::size_t((right - left + w - 1) / w));
  EXPECT_EQ(g.xTicks[1].at, left + w);
  EXPECT_EQ(g.xTicks[1].label, " 12.04");
  ASSERT_EQ(g.statistics.size(), 5u);
  EXPECT_EQ(g.statistics[3].text, "Интервал  = 10.00 - " + std::string(g.xTicks.back().label.substr(1)));
  EXPECT_EQ(g.statistics[4].text, "Шаг  = 2.04");
  EXPECT_EQ(g.statistics[0].text.rfind("Асимметрия  = ", 0), 0u);
  EXPECT_NE(g.statistics[2].text.find(",  p"), std::string::npos);
}

TEST(DistributionLayoutTest, AnImageNarrowerThanItsClassesStillEnds) {
  const DistributionLayout g = ComputeDistributionLayout(Var("A", Range(0, 1.3, 100)), 0, 120, 300);
  ASSERT_EQ(g.refusal, "");
  EXPECT_EQ(g.classWidth, 1);
  EXPECT_EQ(g.xTicks.size(), std::size_t(120 - 60 - 50));
  EXPECT_EQ(g.statistics[3].text, "Интервал  = 0.00 - " + std::string(g.xTicks.back().label.substr(
                                                              g.xTicks.back().label.find_first_not_of(' '))));
}

TEST(ScatterLayoutTest, PointsAtTheirScaledPositions) {
  const std::vector<double> xs = {1, 3, 2, 5, 4}, ys = {10, 30, 50, 20, 40};
  std::string note;
  const ScatterLayout g = ComputeScatterLayout(Var("X", xs), Var("Y", ys), false, false, 0, note);
  const int left = 60, right = kPictureWidth - 60, top = 40, bottom = kPictureHeight - 60;
  const double kX = (right - left - 20) / 4.0, kY = (bottom - top - 20) / 40.0;
  ASSERT_EQ(g.points.size(), xs.size());
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(g.points[i].x, left + static_cast<int>(std::nearbyint((xs[i] - 1) * kX)) + 10);
    EXPECT_EQ(g.points[i].y, bottom - static_cast<int>(std::nearbyint((ys[i] - 10) * kY)) - 10);
  }
  ASSERT_EQ(g.xTicks.size(), 6u);
  EXPECT_EQ(g.xTicks[0].label, "  1.00");
  EXPECT_EQ(g.xTicks[5].label, "  5.00");
  EXPECT_EQ(g.yTicks[5].label, " 50.00");
  EXPECT_EQ(g.yTicks[5].at, bottom - 5 * ((bottom - top - 20) / 5) - 10);
}

TEST(ScatterLayoutTest, PairsAreTheOnesBothVariablesHave) {
  struct Case {
    const char* what;
    std::vector<double> x, y;
    bool missing, outliers;
    int pairs, drawn;
    std::string refusal;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"a shorter Y ends the pairs: no invented points at 0", {1, 2, 3, 4}, {5, 6}, false, false, 2, 2, ""},
      {"a shorter X too", {1, 2}, {5, 6, 7}, false, false, 2, 2, ""},
      {"missing values plotted without pairwise deletion", {1, 0, 3}, {4, 5, 0}, false, false, 3, 3, ""},
      {"pairwise deletion drops them", {1, 0, 3, 4}, {4, 5, 0, 7}, true, false, 2, 2, ""},
      {"nothing left", {0, 1}, {2, 0}, true, false, 0, 0, "Данных недостаточно"},
      {"no pairs at all", {}, {1}, false, false, 0, 0, "Данных недостаточно"},
      {"values that are no number are left out", {1, nan, 3, 2}, {1, 2, inf, 3}, false, false, 4, 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string note;
    const ScatterLayout g = ComputeScatterLayout(Var("X", c.x), Var("Y", c.y), c.missing, c.outliers, 0, note);
    EXPECT_EQ(note, c.missing ? kMissingDeletedNote : "");
    EXPECT_EQ(g.refusal, c.refusal);
    EXPECT_EQ(g.pairs, c.pairs);
    EXPECT_EQ(static_cast<int>(g.points.size()), c.drawn);
  }
}

TEST(ScatterLayoutTest, EqualValuesLieOnTheFirstTick) {
  std::string note;
  const ScatterLayout g = ComputeScatterLayout(Var("X", {7, 7, 7}), Var("Y", {1, 2, 3}), false, false, 0, note);
  for (const PicturePoint& p : g.points) EXPECT_EQ(p.x, 60 + 10);
  for (const PictureTick& t : g.xTicks) EXPECT_EQ(t.label, "  7.00");
}

TEST(PixelOfTest, NonFiniteAndFarValuesHaveNoPixel) {
  EXPECT_EQ(PixelOf(2.5), 2);
  EXPECT_EQ(PixelOf(-3.5), -4);
  EXPECT_FALSE(PixelOf(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(PixelOf(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(PixelOf(1e300));
}

}  // namespace
}  // namespace tavrel
