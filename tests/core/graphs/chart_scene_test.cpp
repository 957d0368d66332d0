#include "core/graphs/chart_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <tuple>

#include "core/data/observation_dates.h"
#include "core/graphs/chart_projection.h"
#include "core/graphs/date_labels.h"

namespace tavrel {
namespace {

// Seven pixels a character, a line of twice the point size.
const TextMeasure kMeasure{[](const std::string& text, int) { return 7.0 * static_cast<double>(text.size()); },
                           [](int pointSize) { return 2.0 * pointSize; }};

std::string TickTextOf(double v) { return std::to_string(static_cast<int>(v)); }

ChartView View3D(bool orthogonal, int elevation = 345, int rotation = 345, int depth = 10) {
  ChartView v;
  v.view3D = true;
  v.orthogonal = orthogonal;
  v.elevation = elevation;
  v.rotation = rotation;
  v.depthPercent = depth;
  return v;
}

ChartSeries Series(SeriesKind kind, std::uint32_t rgb, std::vector<double> values) {
  ChartSeries s;
  s.kind = kind;
  s.title = "S" + std::to_string(rgb);
  s.rgb = rgb;
  s.values = std::move(values);
  return s;
}

struct Bounds {
  double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
};

Bounds Corners(const BoxProjection& box) {
  Bounds b;
  for (int c = 0; c < 8; ++c) {
    const Vec2 p = box.At(c & 1, (c >> 1) & 1, (c >> 2) & 1);
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.top = std::min(b.top, p.y);
    b.bottom = std::max(b.bottom, p.y);
  }
  return b;
}

// The chart's faces without the legend's.
std::vector<SceneItem> ChartFaces(const ChartScene& scene) {
  std::vector<SceneItem> faces;
  for (std::size_t i = 0; i < scene.legend && i < scene.items.size(); ++i)
    if (scene.items[i].kind == SceneItemKind::Face) faces.push_back(scene.items[i]);
  return faces;
}

// The faces painted in a series' own colour (its fronts), in painting order.
std::vector<std::uint32_t> FrontColors(const ChartScene& scene, const std::vector<std::uint32_t>& colors) {
  std::vector<std::uint32_t> out;
  for (const SceneItem& item : ChartFaces(scene))
    if (std::count(colors.begin(), colors.end(), item.fill) > 0) out.push_back(item.fill);
  return out;
}

TEST(ChartProjection, SettingsCountDegreesFoldedBackAtAQuarterTurn) {
  const struct {
    int setting;
    double degrees;
  } cases[] = {{345, 15}, {360, 0}, {1, -1}, {370, -10}, {300, 60}, {255, 75},
               {270, 80}, {90, -80}, {180, 0}, {600, 60}, {181, 1}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ViewAngle(c.setting), c.degrees) << c.setting;
}

TEST(ChartProjection, StraightViewKeepsTheFrontAndRunsTheDepthUpToTheRight) {
  const BoxProjection box = ProjectBox(View3D(true), 1, 50, 20, 600, 400);
  EXPECT_DOUBLE_EQ(box.across.y, 0);
  EXPECT_DOUBLE_EQ(box.up.x, 0);
  EXPECT_GT(box.deep.x, 0);
  EXPECT_LT(box.deep.y, 0);
  EXPECT_TRUE(box.SeesTop());
  EXPECT_TRUE(box.SeesRight());
  // The front's lower left and the back's upper right are the plot's corners.
  EXPECT_NEAR(box.At(0, 0, 0).x, 50, 1e-9);
  EXPECT_NEAR(box.At(0, 0, 0).y, 420, 1e-9);
  EXPECT_NEAR(box.At(1, 1, 1).x, 650, 1e-9);
  EXPECT_NEAR(box.At(1, 1, 1).y, 20, 1e-9);
  // The elevation and rotation do not turn a straight view.
  const BoxProjection other = ProjectBox(View3D(true, 10, 200), 1, 50, 20, 600, 400);
  EXPECT_DOUBLE_EQ(other.deep.x, box.deep.x);
}

TEST(ChartProjection, DepthAndPlacesSetHowFarTheBackLies) {
  double last = 0;
  for (const int depth : {1, 10, 25, 50}) {
    const BoxProjection box = ProjectBox(View3D(true, 345, 345, depth), 1, 0, 0, 600, 400);
    EXPECT_GT(box.deep.x, last) << depth;
    last = box.deep.x;
  }
  // Series behind one another deepen the box, up to half the plot.
  const ChartView v = View3D(true, 345, 345, 10);
  EXPECT_DOUBLE_EQ(BoxDepth(v, 1, 600, 400), 50);
  EXPECT_DOUBLE_EQ(BoxDepth(v, 4, 600, 400), 100);
  EXPECT_DOUBLE_EQ(BoxDepth(v, 25, 600, 400), 250);
  EXPECT_DOUBLE_EQ(BoxDepth(v, 100, 600, 400), 250);
}

TEST(ChartProjection, ElevationAndRotationTiltTheBoxWithinThePlot) {
  const struct {
    int elevation, rotation;
    bool top, right;
  } cases[] = {{345, 345, true, true}, {330, 300, true, true}, {15, 15, false, false},
               {345, 20, true, false}, {20, 345, false, true}, {600, 1, true, false}};
  std::vector<Vec2> backs;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.elevation) + "/" + std::to_string(c.rotation));
    const BoxProjection box = ProjectBox(View3D(false, c.elevation, c.rotation), 1, 10, 30, 500, 300);
    EXPECT_EQ(box.SeesTop(), c.top);
    EXPECT_EQ(box.SeesRight(), c.right);
    const Bounds b = Corners(box);
    EXPECT_NEAR(b.left, 10, 1e-9);
    EXPECT_NEAR(b.right, 510, 1e-9);
    EXPECT_NEAR(b.top, 30, 1e-9);
    EXPECT_NEAR(b.bottom, 330, 1e-9);
    for (const Vec2& other : backs) EXPECT_FALSE(other.x == box.deep.x && other.y == box.deep.y);
    backs.push_back(box.deep);
    // The floor runs level and the Y axis upright: a rising series rises.
    EXPECT_DOUBLE_EQ(box.across.y, 0);
    EXPECT_GT(box.across.x, 0);
    EXPECT_DOUBLE_EQ(box.up.x, 0);
    EXPECT_LT(box.up.y, 0);
  }
  // Looked at straight on, the depth vanishes: the picture of the 2-D chart.
  const BoxProjection flat = ProjectBox(View3D(false, 360, 360), 1, 0, 0, 500, 300);
  EXPECT_NEAR(flat.deep.x, 0, 1e-9);
  EXPECT_NEAR(flat.deep.y, 0, 1e-9);
}

// A chart that has the extremes of its series by blocks finds its range from
// them; the range is the one reading every value gives, to the bit: an extreme
// in any block or after the last whole one, beside an infinity (passed over),
// among gaps, or a -0 as the lowest (shown as 0 unless stacked), stacked or not.
TEST(ChartRange, BlockExtremesGiveTheRangeOfEveryValue) {
  std::mt19937 rng(9);
  const double inf = std::numeric_limits<double>::infinity();
  const auto bits = [](const ChartRange& r) {
    return std::make_tuple(std::bit_cast<std::uint64_t>(r.xMin), std::bit_cast<std::uint64_t>(r.xMax),
                           std::bit_cast<std::uint64_t>(r.yMin), std::bit_cast<std::uint64_t>(r.yMax));
  };
  for (const std::size_t n : {10, 64, 130, 5000}) {
    for (const std::size_t at : {std::size_t{0}, std::min<std::size_t>(63, n - 1), n / 2, n - 1}) {
      for (const auto& [planted, besideInfinity] : {std::pair{-77.7, false}, {977.0, false}, {-0.0, false},
                                                     {-77.7, true}, {977.0, true}}) {
        ChartModel m;
        for (int i = 0; i < 2; ++i) {
          std::vector<double> values;
          for (std::size_t j = 0; j < n; ++j)
            values.push_back(rng() % 50 == 0 ? std::nan("") : 200 + rng() % 1000 / 10.0);
          values[at] = planted;
          if (besideInfinity) values[at == 0 ? 1 : at - 1] = at % 2 ? inf : -inf;
          m.series.push_back(Series(SeriesKind::Area, 0x008000, values));
        }
        for (const MultiMode mode : {MultiMode::None, MultiMode::Stacked, MultiMode::Stacked100}) {
          m.mode = mode;
          std::vector<StackedSeries> withBlocks = Stacked(m);
          AddBlockExtremes(m, withBlocks);
          for (const bool fromZero : {false, true})
            EXPECT_EQ(bits(FullChartRange(m, withBlocks, fromZero)), bits(FullChartRange(m, Stacked(m), fromZero)))
                << n << " values, " << planted << " at " << at << ", mode " << static_cast<int>(mode);
        }
      }
    }
  }
}

TEST(ChartRange, WholeZoomedAndScrolled) {
  ChartModel bars;
  bars.mode = MultiMode::Stacked100;
  bars.series = {Series(SeriesKind::Bar, 1, {1, 2, 3}), Series(SeriesKind::Bar, 2, {3, 2, 1})};
  ChartRange r = FullChartRange(bars, Stacked(bars), true);
  EXPECT_DOUBLE_EQ(r.xMin, -0.5);
  EXPECT_DOUBLE_EQ(r.xMax, 2.5);
  EXPECT_DOUBLE_EQ(r.yMin, 0);
  EXPECT_DOUBLE_EQ(r.yMax, 100);

  ChartModel lines;
  lines.series = {Series(SeriesKind::Line, 1, {12, 17, 31, 14})};
  lines.series[0].firstX = 5;
  r = FullChartRange(lines, Stacked(lines), false);
  EXPECT_DOUBLE_EQ(r.xMin, 5);
  EXPECT_DOUBLE_EQ(r.xMax, 8);
  EXPECT_LE(r.yMin, 12);
  EXPECT_GT(r.yMin, 0);  // not from 0 when the Y axis need not start there
  EXPECT_GE(r.yMax, 31);
  EXPECT_DOUBLE_EQ(FullChartRange(lines, Stacked(lines), true).yMin, 0);
  lines.series[0].values = {-3, 4};
  EXPECT_LT(FullChartRange(lines, Stacked(lines), true).yMin, -2.9);

  const ChartRange in = ZoomedRange({0, 100, 0, 50}, 1.05);
  EXPECT_NEAR(in.xMax - in.xMin, 100 / 1.05, 1e-9);
  EXPECT_NEAR((in.xMin + in.xMax) / 2, 50, 1e-9);
  EXPECT_NEAR(in.yMax - in.yMin, 50 / 1.05, 1e-9);
  const ChartRange moved = ScrolledRange({0, 100, 0, 50}, 10, -10);
  EXPECT_DOUBLE_EQ(moved.xMin, 10);
  EXPECT_DOUBLE_EQ(moved.xMax, 110);
  EXPECT_DOUBLE_EQ(moved.yMin, -5);
}

TEST(ChartRange, TickStepsOfOneTwoOrFive) {
  const struct {
    double span;
    int most;
    double step;
  } cases[] = {{10, 10, 1}, {11, 10, 2}, {30, 8, 5}, {100000, 8, 20000}, {0.7, 7, 0.1}, {0, 5, 1}};
  for (const auto& c : cases) EXPECT_NEAR(TickStep(c.span, c.most), c.step, c.step * 1e-12) << c.span;
}

TEST(ChartScene, NearerSeriesArePaintedOverThoseBehind) {
  ChartModel m;
  m.series = {Series(SeriesKind::Bar, 0xFF0000, {1, 2, 3}), Series(SeriesKind::Bar, 0x0000FF, {3, 1, 2})};
  for (const bool orthogonal : {true, false}) {
    const ChartScene scene =
        LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), View3D(orthogonal), false, "", 800, 500,
                         kMeasure);
    // Behind one another: the second series' boxes first, then the first's in front.
    EXPECT_EQ(FrontColors(scene, {0xFF0000, 0x0000FF}),
              (std::vector<std::uint32_t>{0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0xFF0000}));
  }
  // Stacked, they share one place: each X's boxes from the bottom up, seen from above.
  m.mode = MultiMode::Stacked;
  const ChartScene stacked =
      LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), View3D(true), false, "", 800, 500, kMeasure);
  EXPECT_EQ(FrontColors(stacked, {0xFF0000, 0x0000FF}),
            (std::vector<std::uint32_t>{0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF}));
}

TEST(ChartScene, SeriesStayInsideTheBoxWhenZoomedOrScrolled) {
  std::vector<double> wave;
  for (int j = 0; j < 200; ++j) wave.push_back(50 + 40 * std::sin(j / 7.0));
  for (const SeriesKind kind : {SeriesKind::Line, SeriesKind::Area, SeriesKind::Bar}) {
    ChartModel m;
    m.series = {Series(kind, 0x00FF00, wave), Series(kind, 0xFF00FF, wave)};
    const ChartRange full = FullChartRange(m, Stacked(m), true);
    for (const ChartRange& r : {full, ZoomedRange(full, 3), ScrolledRange(ZoomedRange(full, 2), 40, 30)}) {
      for (const ChartView& view : {View3D(true), View3D(false, 330, 20)}) {
        const ChartScene scene = LayoutChartScene(m, Stacked(m), r, view, false, "", 900, 600, kMeasure);
        const Bounds b = Corners(scene.box);
        int faces = 0;
        for (const SceneItem& item : ChartFaces(scene)) {
          if (item.fill != 0x00FF00 && item.fill != 0xFF00FF) continue;
          ++faces;
          for (const Vec2& p : item.points) {
            EXPECT_GE(p.x, b.left - 1e-6);
            EXPECT_LE(p.x, b.right + 1e-6);
            EXPECT_GE(p.y, b.top - 1e-6);
            EXPECT_LE(p.y, b.bottom + 1e-6);
          }
        }
        EXPECT_GT(faces, 0) << static_cast<int>(kind);
      }
    }
  }
}

TEST(ChartScene, LongSeriesDrawEachColumnsExtremes) {
  ChartModel m;
  std::vector<double> values(100000);
  for (std::size_t j = 0; j < values.size(); ++j) values[j] = static_cast<double>(j % 97);
  m.series = {Series(SeriesKind::Line, 0x008000, values)};
  const ChartScene scene =
      LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), View3D(true), false, "", 900, 600, kMeasure);
  std::size_t strips = 0;
  for (const SceneItem& item : ChartFaces(scene))
    if (item.fill == 0x008000 || item.fill == ShadedColor(0x008000, 0.62)) ++strips;
  EXPECT_GT(strips, static_cast<std::size_t>(scene.columns));
  EXPECT_LE(strips, 2 * static_cast<std::size_t>(scene.columns));
}

TEST(ChartScene, LongAreasOutlineOnePointAColumnOnEachEdge) {
  std::vector<double> values(100000);
  for (std::size_t j = 0; j < values.size(); ++j) values[j] = static_cast<double>(j % 97) + (j == 54321 ? 500 : 0);
  ASSERT_EQ(values[54321], 501);
  for (const bool deep : {false, true}) {
    ChartModel m;
    m.series = {Series(SeriesKind::Area, 0x008000, values)};
    ChartView view;
    view.view3D = deep;
    const ChartScene scene =
        LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), view, false, "", 900, 600, kMeasure);
    const std::vector<std::uint32_t> fronts = FrontColors(scene, {0x008000});
    ASSERT_EQ(fronts.size(), 1u);
    for (const SceneItem& item : ChartFaces(scene)) {
      if (item.fill != 0x008000) continue;
      // The upper edge and the floor: one point a column each, and the ends.
      EXPECT_LE(item.points.size(), 2 * static_cast<std::size_t>(scene.columns) + 8) << deep;
      // The single peak still reaches its height (flat, where the front is the plot).
      if (deep) continue;
      const double highest = std::min_element(item.points.begin(), item.points.end(),
                                              [](const Vec2& a, const Vec2& b) { return a.y < b.y; })->y;
      const ChartRange r = FullChartRange(m, Stacked(m), true);
      EXPECT_NEAR(highest, scene.box.At(0, (501 - r.yMin) / (r.yMax - r.yMin), 0).y, 1e-6);
    }
  }
}

TEST(ChartScene, PointValuesGridAndLegendFollowTheSettings) {
  ChartModel m;
  m.mode = MultiMode::Side;
  m.series = {Series(SeriesKind::Bar, 0x808000, {4, 2.5}), Series(SeriesKind::Bar, 0xA6CAF0, {1, 7})};
  m.series[0].title = "Расстояние";
  const auto texts = [](const ChartScene& s, bool framed) {
    std::vector<std::string> out;
    for (const SceneItem& item : s.items)
      if (item.kind == SceneItemKind::Text && item.framed == framed) out.push_back(item.text);
    return out;
  };
  const auto dashed = [](const ChartScene& s) {
    return std::count_if(s.items.begin(), s.items.end(), [](const SceneItem& i) { return i.dashed; });
  };
  ChartView view = View3D(true);
  const ChartRange r = FullChartRange(m, Stacked(m), true);
  const ChartScene plain = LayoutChartScene(m, Stacked(m), r, view, false, "", 800, 500, kMeasure);
  EXPECT_TRUE(texts(plain, true).empty());
  const std::vector<std::string> labels = texts(plain, false);
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Расстояние"), labels.end());
  EXPECT_GT(dashed(plain), 0);
  const ChartScene marked = LayoutChartScene(m, Stacked(m), r, view, true, "", 800, 500, kMeasure);
  EXPECT_EQ(texts(marked, true), (std::vector<std::string>{"4", "2.5", "1", "7"}));
  view.gridX = view.gridY = false;
  EXPECT_EQ(dashed(LayoutChartScene(m, Stacked(m), r, view, false, "", 800, 500, kMeasure)), 0);
}

// Where the scene's axis labels stand: the row of each Y label, the column of each X label.
struct AxisPlaces {
  std::map<std::string, double> rowOf, columnOf;
};
AxisPlaces Axes(const ChartScene& scene) {
  AxisPlaces a;
  for (std::size_t i = 0; i < scene.legend; ++i) {
    const SceneItem& item = scene.items[i];
    if (item.kind != SceneItemKind::Text || item.framed) continue;
    if (item.anchor == TextAnchor::RightMiddle) a.rowOf[item.text] = item.points[0].y;
    if (item.anchor == TextAnchor::TopCenter) a.columnOf[item.text] = item.points[0].x;
  }
  return a;
}

std::vector<SceneItem> ItemsOf(const ChartScene& scene, SceneItemKind kind, std::uint32_t pen, bool legend = false) {
  std::vector<SceneItem> out;
  for (std::size_t i = legend ? scene.legend : 0; i < (legend ? scene.items.size() : scene.legend); ++i)
    if (scene.items[i].kind == kind && scene.items[i].pen == pen) out.push_back(scene.items[i]);
  return out;
}

TEST(FlatChart, BarsStandOnZeroAndReachTheirValuesOnTheAxis) {
  ChartModel m;
  m.mode = MultiMode::Side;
  m.series = {Series(SeriesKind::Bar, 0x808000, {4, 6}), Series(SeriesKind::Bar, 0xA6CAF0, {1, 7})};
  m.series[0].firstX = m.series[1].firstX = 20;
  const ChartScene scene =
      LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), ChartView{}, false, "", 800, 500, kMeasure);
  const AxisPlaces axes = Axes(scene);
  ASSERT_TRUE(axes.rowOf.count("0") && axes.rowOf.count("4") && axes.rowOf.count("6"));
  ASSERT_TRUE(axes.columnOf.count("20") && axes.columnOf.count("21"));
  const struct {
    std::uint32_t rgb;
    std::size_t bar;
    double value;
    bool leftOfTick;  // side by side: the first series left of the observation's tick, the second right
  } cases[] = {{0x808000, 0, 4, true}, {0x808000, 1, 6, true}, {0xA6CAF0, 0, 1, false}, {0xA6CAF0, 1, 7, false}};
  const double step = axes.rowOf.at("0") - axes.rowOf.at("1");
  for (const auto& c : cases) {
    // One face a bar: flat bars have no sides or tops.
    std::vector<SceneItem> faces;
    for (const SceneItem& f : ChartFaces(scene))
      if (f.fill == c.rgb) faces.push_back(f);
    ASSERT_EQ(faces.size(), 2u);
    std::sort(faces.begin(), faces.end(),
              [](const SceneItem& a, const SceneItem& b) { return a.points[0].x < b.points[0].x; });
    const SceneItem& bar = faces[c.bar];
    double top = HUGE_VAL, bottom = -HUGE_VAL, left = HUGE_VAL, right = -HUGE_VAL;
    for (const Vec2& p : bar.points) {
      top = std::min(top, p.y), bottom = std::max(bottom, p.y);
      left = std::min(left, p.x), right = std::max(right, p.x);
    }
    EXPECT_NEAR(top, axes.rowOf.at("0") - c.value * step, 1e-6) << c.rgb << " " << c.bar;
    EXPECT_NEAR(bottom, axes.rowOf.at("0"), 1e-6);
    const double tick = axes.columnOf.at(c.bar == 0 ? "20" : "21");
    EXPECT_NEAR(c.leftOfTick ? right : left, tick, 1e-6);
  }
}

TEST(FlatChart, LinesRunThroughTheirPointsWithWholeSymbolsInsideThePlot) {
  ChartModel m;
  m.series = {Series(SeriesKind::Line, 0x0000FF, {2, 6, 4}), Series(SeriesKind::Line, 0xFF0000, {5, 5, 5})};
  m.series[0].symbolsShown = m.series[1].symbolsShown = true;
  m.series[0].symbol = PointSymbol::Triangle;
  const ChartScene scene =
      LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), ChartView{}, false, "", 800, 500, kMeasure);
  const AxisPlaces axes = Axes(scene);
  const std::vector<SceneItem> lines = ItemsOf(scene, SceneItemKind::Line, 0x0000FF);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].points.size(), 3u);
  const std::vector<SceneItem> symbols = ItemsOf(scene, SceneItemKind::Symbol, 0x0000FF);
  ASSERT_EQ(symbols.size(), 3u);
  const SceneItem plot = ChartFaces(scene).front();  // the plot's frame, painted first
  double frameLeft = HUGE_VAL, frameRight = -HUGE_VAL, frameTop = HUGE_VAL, frameBottom = -HUGE_VAL;
  for (const Vec2& p : plot.points) {
    frameLeft = std::min(frameLeft, p.x), frameRight = std::max(frameRight, p.x);
    frameTop = std::min(frameTop, p.y), frameBottom = std::max(frameBottom, p.y);
  }
  const double values[] = {2, 6, 4};
  for (int j = 0; j < 3; ++j) {
    const Vec2 p = lines[0].points[j];
    EXPECT_NEAR(p.y, axes.rowOf.at(TickTextOf(values[j])), 1e-6) << j;
    EXPECT_NEAR(p.x, axes.columnOf.at(std::to_string(j)), 1e-6) << j;
    EXPECT_NEAR(symbols[j].points[0].x, p.x, 1e-9);
    EXPECT_NEAR(symbols[j].points[0].y, p.y, 1e-9);
    EXPECT_EQ(symbols[j].symbol, PointSymbol::Triangle);
    // The first and last symbols whole inside the frame.
    EXPECT_GE(p.x - kSymbolSize / 2, frameLeft) << j;
    EXPECT_LE(p.x + kSymbolSize / 2, frameRight) << j;
    EXPECT_GE(p.y - kSymbolSize / 2, frameTop) << j;
    EXPECT_LE(p.y + kSymbolSize / 2, frameBottom) << j;
  }
  // In 3-D the same lines are ribbons without symbols.
  const ChartScene deep = LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), View3D(true), false,
                                           "", 800, 500, kMeasure);
  EXPECT_TRUE(ItemsOf(deep, SceneItemKind::Symbol, 0x0000FF).empty());
  EXPECT_FALSE(FrontColors(deep, {0x0000FF}).empty());
}

// A line of more points than two to a pixel column shows each column's
// extremes, filled a column at a time and without a symbol at each: zoomed
// in to a few, it is a line again and the symbols return.
TEST(FlatChart, ALineShownByItsColumnsExtremesHasNoSymbols) {
  ChartModel m;
  std::vector<double> values(20000);
  for (std::size_t j = 0; j < values.size(); ++j) values[j] = static_cast<double>(j % 7);
  m.series = {Series(SeriesKind::Line, 0x0000FF, values)};
  m.series[0].symbolsShown = true;
  const std::vector<StackedSeries> stacked = Stacked(m);
  const ChartRange whole = FullChartRange(m, stacked, true);
  const ChartScene all = LayoutChartScene(m, stacked, whole, ChartView{}, false, "", 800, 500, kMeasure);
  EXPECT_FALSE(ItemsOf(all, SceneItemKind::Columns, 0x0000FF).empty());  // filled column by column
  EXPECT_TRUE(ItemsOf(all, SceneItemKind::Line, 0x0000FF).empty());
  EXPECT_TRUE(ItemsOf(all, SceneItemKind::Symbol, 0x0000FF).empty());
  const ChartRange few{100, 110, whole.yMin, whole.yMax};
  const ChartScene zoomed = LayoutChartScene(m, stacked, few, ChartView{}, false, "", 800, 500, kMeasure);
  EXPECT_TRUE(ItemsOf(zoomed, SceneItemKind::Columns, 0x0000FF).empty());
  EXPECT_FALSE(ItemsOf(zoomed, SceneItemKind::Line, 0x0000FF).empty());
  EXPECT_EQ(ItemsOf(zoomed, SceneItemKind::Symbol, 0x0000FF).size(), 11u);
}

TEST(FlatChart, LegendNamesEverySeriesAndTheMeansStandUnderTheAxis) {
  ChartModel m;
  m.series = {Series(SeriesKind::Line, 0x0000FF, {1, 2}), Series(SeriesKind::Line, 0x008000, {3, 1})};
  m.series[0].title = "Pulse";
  m.series[1].title = "AD";
  m.series[0].symbolsShown = m.series[1].symbolsShown = true;
  m.series[1].symbol = PointSymbol::Star;
  const std::string means = "Средние:  Pulse=1.5  AD=2.0";
  const ChartScene scene = LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), ChartView{}, false,
                                            means, 900, 600, kMeasure);
  std::vector<SceneItem> titles;
  const SceneItem* meansText = nullptr;
  for (std::size_t i = scene.legend; i < scene.items.size(); ++i) {
    const SceneItem& item = scene.items[i];
    if (item.kind == SceneItemKind::Text && item.text == means) meansText = &item;
    else if (item.kind == SceneItemKind::Text) titles.push_back(item);
  }
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_EQ(titles[0].text, "Pulse");
  EXPECT_EQ(titles[1].text, "AD");
  // Each title beside its series' line and symbol.
  for (const auto& [rgb, symbol, row] : {std::tuple{0x0000FFu, PointSymbol::Rectangle, 0}, {0x008000u, PointSymbol::Star, 1}}) {
    const std::vector<SceneItem> keys = ItemsOf(scene, SceneItemKind::Symbol, rgb, true);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].symbol, symbol);
    EXPECT_NEAR(keys[0].points[0].y, titles[row].points[0].y, 1e-9);
    EXPECT_EQ(ItemsOf(scene, SceneItemKind::Line, rgb, true).size(), 1u);
  }
  ASSERT_NE(meansText, nullptr);
  double xLabelsRow = 0;
  for (std::size_t i = 0; i < scene.legend; ++i)
    if (scene.items[i].anchor == TextAnchor::TopCenter && scene.items[i].kind == SceneItemKind::Text)
      xLabelsRow = scene.items[i].points[0].y;
  EXPECT_GT(meansText->points[0].y, xLabelsRow + kMeasure.height(12));  // below the X labels' line
  EXPECT_LT(meansText->points[0].y + kMeasure.height(10) / 2, 600);     // inside the picture
}

// The X axis of a dated chart names days: each label stands at its day's
// tick, the first one and the first of every new year with the year, and on a
// long series the labels are thinned, evenly, no more than they must be to
// stay apart. Flat and in 3-D.
struct XLabel {
  double x;
  std::string text;
};
std::vector<XLabel> XLabels(const ChartScene& scene) {
  std::vector<XLabel> labels;
  for (std::size_t i = 0; i < scene.legend; ++i) {
    const SceneItem& item = scene.items[i];
    if (item.kind == SceneItemKind::Text && item.anchor == TextAnchor::TopCenter && !item.text.empty())
      labels.push_back({item.points[0].x, item.text});
  }
  return labels;
}

TEST(ChartScene, DatesLabelTheXAxisThinnedSoTheyNeverMeet) {
  const double widest = kMeasure.width(kWidestDateLabel, 12) + 4;
  const struct {
    const char* name;
    double first;
    int days;
    bool deep;
    std::vector<std::string> labels;  // all of them; empty: checked by the rules alone
  } cases[] = {
      {"a few days", DateSerial(2024, 1, 5), 4, false, {"05.01.2024", "06.01", "07.01", "08.01"}},
      {"a new year", DateSerial(2023, 12, 30), 4, false, {"30.12.2023", "31.12", "01.01.2024", "02.01"}},
      {"a new year in 3-D", DateSerial(2023, 12, 30), 4, true, {"30.12.2023", "31.12", "01.01.2024", "02.01"}},
      {"thousands of days", DateSerial(2019, 6, 1), 4000, false, {}},
      {"thousands of days in 3-D", DateSerial(2019, 6, 1), 4000, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChartModel m;
    std::vector<double> values(static_cast<std::size_t>(c.days));
    for (int j = 0; j < c.days; ++j) {
      values[static_cast<std::size_t>(j)] = j % 7;
      m.dates.push_back(c.first + j);
    }
    m.series = {Series(SeriesKind::Line, 0x0000FF, values)};
    ChartView view;
    view.view3D = c.deep;
    const ChartScene scene =
        LayoutChartScene(m, Stacked(m), FullChartRange(m, Stacked(m), true), view, false, "", 900, 600, kMeasure);
    const std::vector<XLabel> labels = XLabels(scene);
    if (!c.labels.empty()) {
      std::vector<std::string> texts;
      for (const XLabel& l : labels) texts.push_back(l.text);
      EXPECT_EQ(texts, c.labels);
      continue;
    }
    ASSERT_GE(labels.size(), 5u);
    ASSERT_EQ(labels[0].text, "01.06.2019");
    // Read the labels back into days: a label without its year is of the year before.
    std::vector<double> days;
    int year = 0;
    for (const XLabel& l : labels) {
      int day = 0, month = 0, labelYear = 0;
      const int read = std::sscanf(l.text.c_str(), "%2d.%2d.%4d", &day, &month, &labelYear);
      ASSERT_TRUE(read == 2 || read == 3) << l.text;
      if (read == 3) {
        EXPECT_NE(labelYear, year) << l.text << ": the year shown again";
        year = labelYear;
      }
      days.push_back(DateSerial(year, month, day));
    }
    const double step = days[1] - days[0];
    const double pixels = (labels[1].x - labels[0].x) / step;  // per day
    for (std::size_t k = 1; k < labels.size(); ++k) {
      EXPECT_EQ(days[k] - days[k - 1], step) << labels[k].text;
      EXPECT_NEAR(labels[k].x - labels[k - 1].x, step * pixels, 1e-6) << labels[k].text;
    }
    EXPECT_GE(step * pixels, widest);        // apart
    EXPECT_LT((step - 1) * pixels, widest);  // yet no fewer than fit
  }
  // Zoomed into the autumn of 2019, the first date shown carries the year.
  ChartModel m;
  m.series = {Series(SeriesKind::Line, 0x0000FF, std::vector<double>(400, 1.0))};
  for (int j = 0; j < 400; ++j) m.dates.push_back(DateSerial(2019, 6, 1) + j);
  const std::vector<XLabel> zoomed =
      XLabels(LayoutChartScene(m, Stacked(m), {100.5, 120, 0, 2}, ChartView{}, false, "", 900, 600, kMeasure));
  ASSERT_GE(zoomed.size(), 2u);
  EXPECT_EQ(zoomed[0].text.substr(5), ".2019");
  for (std::size_t k = 1; k < zoomed.size(); ++k) EXPECT_EQ(zoomed[k].text.size(), 5u) << zoomed[k].text;
}

TEST(FlatChart, ARangeTheArithmeticCannotSpanStillGivesFinitePlaces) {
  ChartModel m;
  m.series = {Series(SeriesKind::Bar, 0x0000FF, {1e300, -1e300}), Series(SeriesKind::Area, 0xFF0000, {1, 2})};
  const ChartRange ranges[] = {{0, 1, -1e308, 1e308}, {-HUGE_VAL, HUGE_VAL, 0, 1}, {0, 1, std::nan(""), 1}, {5, 5, 3, 3}};
  for (const ChartRange& r : ranges) {
    for (const bool deep : {false, true}) {
      ChartView view;
      view.view3D = deep;
      const ChartScene scene = LayoutChartScene(m, Stacked(m), r, view, true, "", 900, 600, kMeasure);
      for (const SceneItem& item : scene.items)
        for (const Vec2& p : item.points) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
  }
}

}  // namespace
}  // namespace tavrel
