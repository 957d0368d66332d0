#include "core/graphs/sequential_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/dataset.h"
#include "core/data/graph_overlays.h"
#include "core/data/session.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/level_lines.h"
#include "core/graphs/y_ticks.h"
#include "core/shell/settings.h"
#include "test_support.h"

namespace tavrel {
namespace {

using ::testing::ElementsAreArray;

struct TickCase {
  const char* what;
  double min, max, step;
  bool zeroY;
  std::vector<double> ticks;
};

TEST(YTicksTest, FirstAndTopTicksAndBandHeight) {
  const TickCase cases[] = {
      {"from the multiple below min", 12.3, 17.9, 2, false, {12, 14, 16, 18}},
      {"from 0", 12.3, 17.9, 2, true, {0, 2, 4, 6, 8, 10, 12, 14, 16, 18}},
      {"negative min on a multiple", -4, 3, 2, false, {-4, -2, 0, 2, 4}},
      {"negative min on a multiple, from 0", -4, 3, 2, true, {-6, -4, -2, 0, 2, 4}},
      {"max on a tick gets one more", 10, 20, 5, false, {10, 15, 20, 25}},
      {"a step of 0 falls back to the range's step", 10, 20, 0, false, {10, 12, 14, 16, 18, 20, 22}},
      {"a negative step too", 10, 20, -3, false, {10, 12, 14, 16, 18, 20, 22}},
      {"a constant series", 5, 5, 0, false, {5, 5.1}},
      {"nothing present", 0, 0, 1, false, {0, 1}},
  };
  for (const TickCase& c : cases) {
    const YTicks t = ComputeTicks(c.min, c.max, c.step, 10, c.zeroY);
    ASSERT_EQ(t.values.size(), c.ticks.size()) << c.what;
    for (std::size_t i = 0; i < c.ticks.size(); ++i) EXPECT_NEAR(t.values[i], c.ticks[i], 1e-9) << c.what;
    EXPECT_EQ(t.height, 10 * static_cast<int>(c.ticks.size())) << c.what;
    EXPECT_GT(t.step, 0) << c.what;
    EXPECT_DOUBLE_EQ(t.scale, 10 / t.step) << c.what;
  }
}

TEST(YTicksTest, AStepNeedingTooManyTicksIsWidenedToCoverTheValues) {
  const struct {
    double min, max, step;
    bool zeroY;
  } cases[] = {{1000, 1010, 0.1, true}, {-5000, -4990, 1, true}, {0, 1e6, 1, false}, {-1e300, 1e300, 1, false}};
  for (const auto& c : cases) {
    const YTicks t = ComputeTicks(c.min, c.max, c.step, 10, c.zeroY);
    ASSERT_LE(t.values.size(), static_cast<std::size_t>(kMaxYTicks)) << c.min;
    EXPECT_LE(t.values.front(), c.min) << c.min;
    EXPECT_GT(t.values.back(), c.max) << c.min;
  }
}

// Near the largest doubles: a constant or nearly constant series far from 0
// gets its ticks (a step too fine to count up to it is widened, not counted
// forever); values whose range no step can cover above them are refused with
// the program's own words.
TEST(YTicksTest, ValuesNearTheLargestDoubles) {
  const double top = std::numeric_limits<double>::max();
  for (const auto& [min, max] : {std::pair{1.7e308, 1.7e308}, {1e300, 1.0000001e300}, {-1.7e308, -1.7e308}}) {
    const YTicks t = ComputeTicks(min, max, 0.1, 10, false);
    ASSERT_FALSE(t.values.empty()) << min;
    ASSERT_LE(t.values.size(), static_cast<std::size_t>(kMaxYTicks)) << min;
    EXPECT_LE(t.values.front(), min) << min;
    EXPECT_GT(t.values.back(), max) << min;
    EXPECT_TRUE(std::isfinite(t.values.back())) << min;
    EXPECT_GT(t.scale, 0) << min;
  }
  const struct {
    double min, max;
    const char* message;
  } refused[] = {
      {-1.7e308, 1.79e308, "Значения от -1.7E308 до 1.79E308 не помещаются на шкалу графика"},
      {0, top, "Значения от 0 до 1.79769313486232E308 не помещаются на шкалу графика"},
      {-top, -1e308, "Значения от -1.79769313486232E308 до -1E308 не помещаются на шкалу графика"},
  };
  for (const auto& r : refused) {
    try {
      ComputeTicks(r.min, r.max, 0, 10, false);
      ADD_FAILURE() << r.min << " " << r.max;
    } catch (const RangeError& e) {
      EXPECT_STREQ(e.what(), r.message);
    }
  }
}

class SequentialLayoutTest : public test::EngineTest {
 protected:
  void Load(const std::string& text) {
    Data().EmptyValue = -999;
    LoadText(text);
    Config().StepX = 10;
    Config().StepY = 20;
  }
  // The layout of the session's data set with these options and the session's overlays.
  SequentialLayout Layout(const SequentialDevice& device) const {
    return ComputeSequentialLayout({Data(), Config(), options_, Overlays()}, device);
  }
  static GraphOverlays& Overlays() { return ProgramSession().overlays; }
  static SequentialDevice Screen(int pageHeight = 0) {
    SequentialDevice d;
    d.left = 50;
    d.stepX = 10;
    d.stepY = 20;
    d.pageHeight = pageHeight;
    if (pageHeight > 0) d.firstTop = kPrintFirstTop;
    return d;
  }

  GraphOptions options_;
};

TEST_F(SequentialLayoutTest, BandsFollowEachOtherAndPointsSitOnTheirTicks) {
  Load("A B\n12.3 1\n17.9 2\n14 -999\n16 4\n");
  Data().VarSteps[0] = 2;
  Data().VarSteps[1] = 1;
  const SequentialLayout l = Layout(Screen());
  ASSERT_EQ(l.bands.size(), 2u);
  const SequentialBand& a = l.bands[0];
  const SequentialBand& b = l.bands[1];
  EXPECT_EQ(a.top, 30);
  EXPECT_EQ(a.bottom, 30 + 4 * 20);
  EXPECT_EQ(b.top, a.bottom);
  EXPECT_EQ(b.bottom, b.top + 5 * 20);  // ticks 1..5
  EXPECT_EQ(a.right, 5 * 10 + 50);       // (n + 1) * StepX + L
  EXPECT_EQ(l.height, b.bottom + 60);
  EXPECT_EQ(l.width, a.right + 60);
  int y = 0;
  ASSERT_TRUE(l.PointY(a, 2, y));
  EXPECT_EQ(y, a.bottom - 20 - 1);  // 14 is the second tick
  ASSERT_TRUE(l.PointY(a, 0, y));
  EXPECT_EQ(y, a.bottom - 3 - 1);  // (12.3 - 12) * 10 = 3
  EXPECT_FALSE(l.PointY(b, 2, y)) << "a missing value is a gap";
  EXPECT_EQ(l.PointX(0), 60);
  EXPECT_EQ(l.pages.size(), 1u);
}

TEST_F(SequentialLayoutTest, ValuesThatAreNotFiniteAreGapsAndDoNotStretchTheScale) {
  Load("A\n1\n2\n3\n4\n");
  Data().DataValues[0][1] = std::numeric_limits<double>::quiet_NaN();
  Data().DataValues[0][2] = std::numeric_limits<double>::infinity();
  Data().VarSteps[0] = 1;
  const SequentialLayout l = Layout(Screen());
  const SequentialBand& a = l.bands[0];
  int y = 0;
  EXPECT_FALSE(l.PointY(a, 1, y));
  EXPECT_FALSE(l.PointY(a, 2, y));
  EXPECT_THAT(a.ticks.values, ElementsAreArray({1.0, 2.0, 3.0, 4.0, 5.0}));
}

TEST_F(SequentialLayoutTest, TooManyTicksFromZeroStillKeepEveryPointInItsBand) {
  Load("A B\n1000 1\n1003.5 2\n1010 3\n");
  Config().ZeroY = true;
  Data().VarSteps[0] = 0.1;
  const SequentialLayout l = Layout(Screen());
  const SequentialBand& a = l.bands[0];
  EXPECT_LE(a.ticks.values.size(), static_cast<std::size_t>(kMaxYTicks));
  for (std::int32_t j = 0; j <= a.last; ++j) {
    int y = 0;
    ASSERT_TRUE(l.PointY(a, j, y));
    EXPECT_GT(y, a.top);
    EXPECT_LT(y, a.bottom);
  }
}

// A layout reads only what it is given: a session of its own, while the
// program's session holds other data; its bands point into that session's
// rows rather than into a copy.
TEST(SequentialLayoutSourceTest, TheBandsPointIntoTheDataSetGiven) {
  ResetDataSet();
  Session session;
  DataSet& d = session.data;
  d.DataValues = {{1, 2, 3}, {4, 5, 6}};
  d.VarNames = {"A", "B"};
  d.VarCounts = {3, 3};
  d.NumVar = 2;
  d.LastVar = d.FullLastVar = 1;
  d.NumObs = 3;
  d.LastObs = 2;
  ComputeVarSteps(d, session.settings);
  session.overlays.ShowXMarks = true;
  session.overlays.XMarks = {false, true};
  const GraphOptions options;
  SequentialDevice device;
  device.stepX = 10;
  device.stepY = 20;
  const SequentialLayout l = ComputeSequentialLayout({d, session.settings, options, session.overlays}, device);
  ASSERT_EQ(l.bands.size(), 2u);
  EXPECT_EQ(l.bands[1].name, "B");
  EXPECT_EQ(l.bands[0].values, d.DataValues[0].data());
  EXPECT_EQ(l.bands[1].values, d.DataValues[1].data());
  EXPECT_THAT(l.marks, ElementsAreArray({1}));
  EXPECT_EQ(Data().NumVar, 0);
}

TEST_F(SequentialLayoutTest, SmoothingLeavesTheDataSetAsItIsAndReturnsItsMessage) {
  Load("Short Long\n1 1\n9 9\n1 1\n9 9\n1 1\n9 9\n1 1\n9 9\n");
  Data().VarCounts[0] = 5;  // too few to smooth
  options_.Smooth3 = true;
  const SequentialLayout l = Layout(Screen());
  ASSERT_EQ(l.messages.size(), 1u);
  EXPECT_THAT(l.messages[0], ::testing::HasSubstr("Short"));
  EXPECT_TRUE(l.bands[1].smoothed);
  EXPECT_FALSE(l.bands[0].smoothed) << "too short: drawn as it is";
  EXPECT_EQ(Data().DataValues[1][2], 1) << "the data set is not changed";
  std::vector<double> drawn;
  l.DrawnValues(l.bands[1], 2, 2, drawn);
  EXPECT_DOUBLE_EQ(drawn.at(0), (9 + 1 + 9) / 3.0);
  l.DrawnValues(l.bands[0], 2, 2, drawn);
  EXPECT_EQ(drawn.at(0), 1);
}

// A file with missing values smoothed: the bands keep their scale and their
// gaps, and the layout names its smoothing for the caption and the title.
TEST_F(SequentialLayoutTest, SmoothingKeepsGapsAndTheScaleOfTheValues) {
  std::string text = "A\n";
  for (int i = 0; i < 30; ++i) text += (i % 15 == 7 ? "-999" : std::to_string(50 + i % 3)) + "\n";
  Load(text);
  Data().VarSteps[0] = 1;
  options_.Smooth3 = true;
  options_.Smooth5 = true;
  const SequentialLayout l = Layout(Screen());
  EXPECT_TRUE(l.messages.empty());
  EXPECT_EQ(l.smoothing, "Данные сглажены по 3 точкам. Данные сглажены по 5 точкам.");
  const SequentialBand& a = l.bands[0];
  EXPECT_GE(a.ticks.values.front(), 49);
  EXPECT_LE(a.ticks.values.back(), 54);
  int y = 0;
  for (std::int32_t j = 0; j <= a.last; ++j) EXPECT_EQ(l.PointY(a, j, y), j % 15 != 7) << j;
  options_ = {};
  EXPECT_EQ(Layout(Screen()).smoothing, "");
  // Runs of 7 and 10 days: too short by 5 points, and the first by 3 too;
  // only the smoothing done is named.
  Data().VarCounts[0] = 18;
  options_.Smooth3 = true;
  options_.Smooth5 = true;
  const SequentialLayout shortRun = Layout(Screen());
  EXPECT_EQ(shortRun.messages.size(), 1u);
  EXPECT_EQ(shortRun.smoothing, "Данные сглажены по 3 точкам.");
}

TEST_F(SequentialLayoutTest, LevelsAreDrawnOnlyOnTheirVariablesBandAndInsideIt) {
  Load("A B\n10 100\n20 200\n30 300\n");
  Data().VarSteps[0] = 10;
  Data().VarSteps[1] = 100;
  GraphOverlays& g = Overlays();
  g.ShowLevels = true;
  g.LevelLabels = {"Среднее", "Число", "Нет"};
  LevelsFor(g, "A").values = {20, 1e9, 25};  // the second lies above the band, the third is off
  const SequentialLayout both = Layout(Screen());
  const SequentialBand& a = both.bands[0];
  ASSERT_EQ(a.levels.size(), 1u);
  EXPECT_EQ(a.levels[0].line, 0);
  int y = 0;
  ASSERT_TRUE(both.PointY(a, 1, y));
  EXPECT_EQ(a.levels[0].y - 1, y) << "a level lies on the row of a point of its value";
  EXPECT_TRUE(both.bands[1].levels.empty()) << "B has no levels of its own";

  // A later graph of B alone does not draw A's levels on B's band.
  NarrowTo(Data(), {1});
  const SequentialLayout onlyB = Layout(Screen());
  ASSERT_EQ(onlyB.bands.size(), 1u);
  EXPECT_EQ(onlyB.bands[0].name, "B");
  EXPECT_TRUE(onlyB.bands[0].levels.empty());

  LevelsFor(g, "B").values = {std::numeric_limits<double>::quiet_NaN(), 150, 0};
  g.LevelLabels = {"Среднее", "Число", "Число"};
  const SequentialLayout withB = Layout(Screen());
  ASSERT_EQ(withB.bands[0].levels.size(), 1u) << "NaN is not drawn, 0 lies below the band";
  EXPECT_EQ(withB.bands[0].levels[0].line, 1);
}

TEST_F(SequentialLayoutTest, DefaultLevelsAreMeanMeanPlusSigmaAndUpperOutlierLimit) {
  Load("A\n10\n20\n30\n");
  SetDefaultLevels(Data(), Overlays());
  EXPECT_TRUE(Overlays().ShowLevels);
  EXPECT_EQ(Overlays().LevelLabels[0], "Среднее");
  EXPECT_EQ(Overlays().LevelLabels[1], "M+1.5@");
  EXPECT_EQ(Overlays().LevelLabels[2], "Всплеск+");
  const VariableLevels* a = LevelsOf(Overlays(), "A");
  ASSERT_NE(a, nullptr);
  EXPECT_DOUBLE_EQ(a->values[0], 20);
  EXPECT_DOUBLE_EQ(a->values[1], 20 + 1.5 * 10);
  EXPECT_GT(a->values[2], a->values[1]);
}

TEST_F(SequentialLayoutTest, MarksBeyondTheTableAreLeftOut) {
  Load("A\n1\n2\n3\n");
  GraphOverlays& g = Overlays();
  g.ShowXMarks = true;
  g.XMarks = {false, true, false, true, true};  // set for a longer table
  EXPECT_THAT(Layout(Screen()).marks, ElementsAreArray({1}));
  g.XMarks = {true};  // set before rows were added
  EXPECT_THAT(Layout(Screen()).marks, ElementsAreArray({0}));
  g.ShowXMarks = false;
  EXPECT_TRUE(Layout(Screen()).marks.empty());
}

TEST_F(SequentialLayoutTest, PagesBreakBeforeABandThatWouldRunOffThePage) {
  // Three bands of 5 ticks (100 pixels) each.
  Load("A B C\n1 1 1\n4 4 4\n");
  for (int v = 0; v < 3; ++v) Data().VarSteps[v] = 1;
  const SequentialLayout l = Layout(Screen(330));
  ASSERT_EQ(l.pages.size(), 2u);
  EXPECT_EQ(l.pages[0].firstBand, 0);
  EXPECT_EQ(l.pages[0].lastBand, 1);
  EXPECT_EQ(l.pages[0].axisY, 300);
  EXPECT_EQ(l.bands[2].top, kPrintFirstTop);
  EXPECT_EQ(l.bands[2].page, 1);
  EXPECT_EQ(l.pages[1].axisY, 200);

  // A first band taller than the page keeps a page of its own.
  const SequentialLayout tiny = Layout(Screen(150));
  ASSERT_EQ(tiny.pages.size(), 3u);
  EXPECT_EQ(tiny.pages[0].lastBand, 0);
}

// Day numbers: every tick when its label fits, else every k-th with k the
// smallest of 5, 10, 20, 50, 100, ... that leaves the labels apart; with
// "labels every 5th" always on multiples of 5.
TEST(XLabelIntervalTest, EveryTickWhenItFitsElseTheSmallestRoundIntervalThatDoes) {
  const struct {
    int stepX, labelWidth;
    bool every5;
    int every;
  } cases[] = {
      {20, 20, false, 1},       // fits one step exactly
      {20, 21, false, 5},       // print: two digits of 10.5 pixels on 20-dot steps
      {6, 14, false, 5},        // screen with the distributed step: "30" in 9 points
      {6, 26, false, 5},        // three digits still clear at 30 pixels
      {6, 27, false, 10},       // but not one pixel wider
      {3, 56, false, 20},       // 60 pixels for 56 plus the gap
      {3, 57, false, 50},
      {1, 140, false, 200},
      {1, 496, false, 500},
      {1, 497, false, 1000},
      {1, 997, false, 2000},
      {10, 5, true, 5},         // fits every tick, but labels stay on every 5th
      {6, 28, true, 10},        // every 5th would run together
      {12, 50, true, 5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(XLabelInterval(c.stepX, c.labelWidth, c.every5), c.every)
        << c.stepX << " " << c.labelWidth << " " << c.every5;
}

TEST_F(SequentialLayoutTest, DayNumbersAreThinnedByTheLongestSeriesLabel) {
  std::string text = "A B\n";
  for (int i = 0; i < 120; ++i) text += std::to_string(i % 7) + (i < 30 ? " 1\n" : " -999\n");
  Load(text);
  SequentialDevice d = Screen();
  d.stepX = 6;
  d.digitWidth = 7;  // "120" is 21 pixels wide: every 5th leaves 30
  EXPECT_EQ(Layout(d).xLabelEvery, 5);
  d.digitWidth = 9;  // 27 + the gap is more than 30
  EXPECT_EQ(Layout(d).xLabelEvery, 10);
  d.stepX = 30;
  EXPECT_EQ(Layout(d).xLabelEvery, 1);
  options_.XLabelsEvery5 = true;
  EXPECT_EQ(Layout(d).xLabelEvery, 5);
}

// Days wider than the page go on over the following pages: each page holds
// as many days as fit right of the Y axes with a step to spare, every band's
// days first, then the next days of every band; no day is left out.
TEST_F(SequentialLayoutTest, DaysWiderThanThePageGoOnOverTheFollowingPages) {
  Load("A B C\n1 1 1\n4 4 4\n2 2 2\n3 3 3\n1 1 1\n2 2 2\n3 3 3\n4 4 4\n1 1 1\n2 2 2\n3 3 3\n4 4 4\n");
  for (int v = 0; v < 3; ++v) Data().VarSteps[v] = 1;
  struct Page {
    int firstBand, lastBand;
    std::int32_t firstDay, lastDay;
  };
  const struct {
    int pageHeight, pageWidth;
    std::vector<Page> pages;
  } cases[] = {
      {1000, 0, {{0, 2, 0, 11}}},                                 // no width: one page
      {1000, 180, {{0, 2, 0, 11}}},                               // (180 - 50) / 10 - 1 = 12 days fit
      {1000, 170, {{0, 2, 0, 10}, {0, 2, 11, 11}}},               // 11 days a page
      {1000, 100, {{0, 2, 0, 3}, {0, 2, 4, 7}, {0, 2, 8, 11}}},  // 4 days a page
      {330, 100,  // two bands a page, then the third
       {{0, 1, 0, 3}, {2, 2, 0, 3}, {0, 1, 4, 7}, {2, 2, 4, 7}, {0, 1, 8, 11}, {2, 2, 8, 11}}},
  };
  for (const auto& c : cases) {
    SequentialDevice d = Screen(c.pageHeight);
    d.pageWidth = c.pageWidth;
    const SequentialLayout l = Layout(d);
    ASSERT_EQ(l.pages.size(), c.pages.size()) << c.pageHeight << " " << c.pageWidth;
    for (std::size_t k = 0; k < c.pages.size(); ++k) {
      const SequentialPage& pg = l.pages[k];
      EXPECT_EQ(pg.firstBand, c.pages[k].firstBand) << c.pageWidth << " page " << k;
      EXPECT_EQ(pg.lastBand, c.pages[k].lastBand) << c.pageWidth << " page " << k;
      EXPECT_EQ(pg.firstDay, c.pages[k].firstDay) << c.pageWidth << " page " << k;
      EXPECT_EQ(pg.lastDay, c.pages[k].lastDay) << c.pageWidth << " page " << k;
      EXPECT_EQ(pg.axisY, l.bands[static_cast<std::size_t>(pg.lastBand)].bottom);
      // The page's first day stands one step right of the Y axes, its last within the page.
      EXPECT_EQ(l.PointX(pg.firstDay) - pg.shift, d.left + d.stepX);
      if (c.pageWidth > 0) {
        EXPECT_LE(l.PointX(pg.lastDay) - pg.shift + d.stepX, c.pageWidth);
      }
    }
  }
  // A page narrower than one day still shows one day a page.
  SequentialDevice narrow = Screen(1000);
  narrow.pageWidth = 55;
  EXPECT_EQ(Layout(narrow).pages.size(), 12u);
}

TEST_F(SequentialLayoutTest, CoordinatesBeyondThePaintersRangeAreAnOverflow) {
  Load("A\n1\n2\n");
  SequentialDevice d = Screen();
  d.stepX = std::numeric_limits<int>::max() / 2;
  EXPECT_THROW(Layout(d), OverflowError);
}

}  // namespace
}  // namespace tavrel
