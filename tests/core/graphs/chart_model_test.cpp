#include "core/graphs/chart_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <set>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/graph_overlays.h"

namespace tavrel {
namespace {

ClusterResult History(std::int32_t joins, bool found, int chosen) {
  ClusterResult r;
  r.ClustArray.resize(static_cast<std::size_t>(joins) + 1);
  for (std::int32_t s = 0; s <= joins; ++s) r.ClustArray[s].Clevel = (s < joins ? s : joins - 1) * (s + 1.0);
  r.Found = found;
  r.ChosenStep = chosen;
  return r;
}

TEST(ClusterDynamicsModel, ShowsTheLastStepsWithTheirIncreasesAndTheChosenBar) {
  const struct {
    std::int32_t joins;
    bool found;
    int chosen;
    double firstX;
    std::size_t bars;
    bool maroon;
  } cases[] = {{5, true, 3, 1, 4, true}, {30, true, 25, 20, 10, true}, {30, false, 255, 20, 10, false},
               {30, true, 12, 20, 10, false}, {2, true, 1, 1, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.joins);
    const ClusterResult r = History(c.joins, c.found, c.chosen);
    const ChartModel m = ClusterDynamicsModel(r);
    EXPECT_EQ(m.mode, MultiMode::Side);
    ASSERT_EQ(m.series.size(), 2u);
    const ChartSeries& distance = m.series[0];
    const ChartSeries& increase = m.series[1];
    EXPECT_EQ(distance.title, "Расстояние");
    EXPECT_EQ(increase.title, "Прирост");
    EXPECT_EQ(distance.rgb, 0x808000u);  // olive
    EXPECT_EQ(increase.rgb, 0xA6CAF0u);  // sky blue
    EXPECT_EQ(distance.kind, SeriesKind::Bar);
    EXPECT_EQ(distance.firstX, c.firstX);
    ASSERT_EQ(distance.values.size(), c.bars);
    ASSERT_EQ(increase.values.size(), c.bars);
    const auto first = static_cast<std::int32_t>(c.firstX);
    EXPECT_EQ(distance.values[0], r.ClustArray[first].Clevel);
    EXPECT_EQ(increase.values[0], r.ClustArray[first].Clevel - r.ClustArray[first - 1].Clevel);
    if (c.maroon) {
      ASSERT_EQ(distance.pointColors.size(), 1u);
      EXPECT_EQ(distance.pointColors[0].first, c.chosen - first);
      EXPECT_EQ(distance.pointColors[0].second, kMaroon);
    } else {
      EXPECT_TRUE(distance.pointColors.empty());
    }
    EXPECT_TRUE(increase.pointColors.empty());
  }
}

TEST(VisiblePoints, ManyPointsBecomeEachColumnsExtremes) {
  std::vector<double> values(100000);
  for (std::size_t j = 0; j < values.size(); ++j) values[j] = static_cast<double>((j * 7919) % 1000);
  values[54321] = -5;
  values[777] = 2000;
  const std::vector<ChartXY> all = VisiblePoints(values, 0, 0, 99999, 800);
  EXPECT_LE(all.size(), 1600u);
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](ChartXY p) { return p.x == 54321 && p.y == -5; }));
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](ChartXY p) { return p.x == 777 && p.y == 2000; }));
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](ChartXY a, ChartXY b) { return a.x < b.x; }));
  // An area's edges: one point a column, the top its highest, the bottom its lowest.
  const std::vector<ChartXY> top = VisiblePoints(values, 0, 0, 99999, 800, ColumnKeeps::Highest);
  const std::vector<ChartXY> bottom = VisiblePoints(values, 0, 0, 99999, 800, ColumnKeeps::Lowest);
  EXPECT_EQ(top.size(), 800u);
  EXPECT_EQ(bottom.size(), 800u);
  EXPECT_TRUE(std::any_of(top.begin(), top.end(), [](ChartXY p) { return p.x == 777 && p.y == 2000; }));
  EXPECT_TRUE(std::none_of(top.begin(), top.end(), [](ChartXY p) { return p.y == -5; }));
  EXPECT_TRUE(std::any_of(bottom.begin(), bottom.end(), [](ChartXY p) { return p.x == 54321 && p.y == -5; }));
  EXPECT_TRUE(std::none_of(bottom.begin(), bottom.end(), [](ChartXY p) { return p.y == 2000; }));
  // Zoomed in to 100 points: every one of them, with a neighbour on each side.
  const std::vector<ChartXY> zoomed = VisiblePoints(values, 0, 500, 599, 800);
  ASSERT_EQ(zoomed.size(), 102u);
  EXPECT_EQ(zoomed.front().x, 499);
  EXPECT_EQ(zoomed.back().x, 600);
  EXPECT_TRUE(VisiblePoints({}, 0, 0, 10, 800).empty());
  EXPECT_EQ(VisiblePoints({1, 2, 3}, 5, 0, 100, 800).front().x, 5);
}

TEST(UndrawableRange, RefusesValuesAndSumsBeyondTheLargestDrawable) {
  const double nan = std::nan("");
  const struct {
    std::vector<double> a, b;
    MultiMode mode;
    std::string refusal;  // a part of it; empty: drawn
  } cases[] = {
      {{1, -1}, {2, 3}, MultiMode::None, ""},
      {{1e300, -1e300}, {nan, 3}, MultiMode::Stacked, ""},
      {{1e308, -1e308}, {1, 2}, MultiMode::None, "ряда a по модулю больше 1E300"},
      {{1, 2}, {-8.9e307, 1}, MultiMode::Side, "ряда b по модулю"},
      {{1, HUGE_VAL}, {1, 2}, MultiMode::None, "ряда a"},
      {{9e299, 1}, {9e299, 1}, MultiMode::Stacked, "ряда b в стеке"},
      {{9e299, 1}, {9e299, 1}, MultiMode::Side, ""},
  };
  // The two values as they are, and placed in a long series of ones, one in a
  // whole block and the other after the last one, either way round, looked at
  // by the blocks' extremes or value by value.
  const auto placed = [](const std::vector<double>& two, int placing) {
    if (placing == 0) return two;
    std::vector<double> values(200, 1.0);
    values[placing == 1 ? 70 : 195] = two[0];
    values[placing == 1 ? 195 : 70] = two[1];
    return values;
  };
  for (const auto& c : cases) {
    for (const int longSeries : {0, 1, 2}) {
      for (const bool byBlocks : {false, true}) {
        ChartModel m;
        m.mode = c.mode;
        m.series = {ChartSeries{SeriesKind::Bar, "a", 0, {}, false, 0, placed(c.a, longSeries), {}},
                    ChartSeries{SeriesKind::Bar, "b", 0, {}, false, 0, placed(c.b, longSeries), {}}};
        const std::string refusal = UndrawableRange(m, byBlocks ? StackedWithBlocks(m) : Stacked(m));
        if (c.refusal.empty()) {
          EXPECT_EQ(refusal, "");
        } else {
          EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal << (longSeries ? ", long" : "");
        }
      }
    }
  }
}

// Long series find each column's extremes by blocks of values; the points are
// the ones reading every value gives, to the bit: with gaps (NaN), ties, -0,
// a gap where a column starts, columns shorter and longer than a block, any
// part of the series on show, stacked or not.
TEST(VisiblePoints, BlocksGiveThePointsOfEveryValue) {
  std::mt19937 rng(3);
  const auto value = [&]() -> double {
    switch (rng() % 10) {
      case 0: return std::nan("");
      case 1: return -0.0;
      case 2: return 5;  // ties
      default: return static_cast<double>(rng() % 1000) / 10 - 50;
    }
  };
  const auto same = [](const std::vector<ChartXY>& a, const std::vector<ChartXY>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
      if (std::bit_cast<std::uint64_t>(a[k].x) != std::bit_cast<std::uint64_t>(b[k].x) ||
          std::bit_cast<std::uint64_t>(a[k].y) != std::bit_cast<std::uint64_t>(b[k].y))
        return false;
    return true;
  };
  for (const std::size_t n : {10, 64, 200, 5000, 100000}) {
    ChartModel m;
    for (int i = 0; i < 2; ++i) {
      ChartSeries s;
      s.kind = SeriesKind::Area;
      s.firstX = 1;
      for (std::size_t j = 0; j < n; ++j) s.values.push_back(value());
      m.series.push_back(s);
    }
    for (const MultiMode mode : {MultiMode::None, MultiMode::Stacked}) {
      m.mode = mode;
      std::vector<StackedSeries> stacked = Stacked(m);
      AddBlockExtremes(m, stacked);
      const ChartSeries& s = m.series[1];
      const StackedSeries& st = stacked[1];
      std::vector<double> tops, bottoms;
      for (std::size_t j = 0; j < st.Size(s); ++j) {
        tops.push_back(st.Top(s, j));
        bottoms.push_back(st.Bottom(j));
      }
      const double span = static_cast<double>(n);
      for (const auto& [from, to] : {std::pair{0.0, span}, {span / 3, span / 2}, {7.5, span - 3}, {span - 9, span}}) {
        for (const int columns : {3, 50, 800}) {
          for (const ColumnKeeps keeps : {ColumnKeeps::Extremes, ColumnKeeps::Highest, ColumnKeeps::Lowest}) {
            EXPECT_TRUE(same(VisibleStackedPoints(s, st, true, from, to, columns, keeps),
                             VisiblePoints(tops, s.firstX, from, to, columns, keeps)))
                << n << " values from " << from << " to " << to << ", " << columns << " columns";
            EXPECT_TRUE(same(VisibleStackedPoints(s, st, false, from, to, columns, keeps),
                             VisiblePoints(bottoms, s.firstX, from, to, columns, keeps)))
                << n << " values from " << from << " to " << to << ", " << columns << " columns";
          }
        }
      }
    }
  }
}

TEST(Stacked, StacksAndStacksTo100) {
  ChartModel m;
  m.series = {ChartSeries{SeriesKind::Area, "a", 0, {}, false, 0, {1, 0, 2}, {}},
              ChartSeries{SeriesKind::Area, "b", 0, {}, false, 0, {3, 0, 6}, {}}};
  m.mode = MultiMode::None;
  const std::vector<StackedSeries> none = Stacked(m);
  for (std::size_t j = 0; j < 3; ++j) {
    EXPECT_EQ(none[1].Bottom(j), 0);
    EXPECT_EQ(none[1].Top(m.series[1], j), m.series[1].values[j]);
  }
  EXPECT_TRUE(none[1].top.empty());  // no copy of the values
  m.mode = MultiMode::Stacked;
  EXPECT_EQ(Stacked(m)[1].bottom, (std::vector<double>{1, 0, 2}));
  EXPECT_EQ(Stacked(m)[1].top, (std::vector<double>{4, 0, 8}));
  m.mode = MultiMode::Stacked100;
  const std::vector<StackedSeries> s = Stacked(m);
  EXPECT_EQ(s[0].top, (std::vector<double>{25, 0, 25}));
  EXPECT_EQ(s[1].top, (std::vector<double>{100, 0, 100}));
}

class CombinedModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDataSet();
    DataSet& d = Data();
    d.NumVar = 18;
    d.LastVar = d.FullLastVar = 17;
    for (int v = 0; v < d.NumVar; ++v) {
      d.VarNames.push_back("V" + std::to_string(v));
      d.VarCounts.push_back(3);
      d.DataValues.push_back(Array<double>{v == 2 ? -1.0 : 1.0, v == 2 ? 0.0 : 2.0, 0.0});
    }
  }
  void TearDown() override { ResetDataSet(); }
};

TEST_F(CombinedModelTest, ColoursAreDistinctVisibleAndRepeatable) {
  const ChartModel m = CombinedModel(Data(), SeriesKind::Line, MultiMode::None, false, 7, false);
  ASSERT_EQ(m.series.size(), 18u);
  const std::size_t table = SeriesColors().size();
  std::set<std::uint32_t> first;
  for (std::size_t i = 0; i < table; ++i) first.insert(m.series[i].rgb);
  EXPECT_EQ(first.size(), table);
  // Relative luminance, as contrast on white and as grey on paper.
  const auto luminance = [](std::uint32_t rgb) {
    const auto linear = [](std::uint32_t c) {
      const double x = c / 255.0;
      return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) + 0.0722 * linear(rgb & 0xFF);
  };
  for (const ChartSeries& s : m.series) {
    EXPECT_GE(1.05 / (luminance(s.rgb) + 0.05), 3.0) << std::hex << s.rgb << " is hard to see on white";
    EXPECT_TRUE(s.symbolsShown);
    EXPECT_EQ(s.firstX, 0);
    EXPECT_EQ(s.values.size(), 3u);
  }
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = i + 1; j < 3; ++j)
      EXPECT_GE(std::fabs(luminance(m.series[i].rgb) - luminance(m.series[j].rgb)), 0.05) << i << " " << j;
  const ChartModel again = CombinedModel(Data(), SeriesKind::Line, MultiMode::None, false, 7, false);
  for (std::size_t i = 0; i < m.series.size(); ++i) {
    EXPECT_EQ(again.series[i].rgb, m.series[i].rgb);
    EXPECT_EQ(again.series[i].symbol, m.series[i].symbol);
  }
  // Lines in 3-D go without symbols; bars keep their stacking.
  for (const ChartSeries& s : CombinedModel(Data(), SeriesKind::Line, MultiMode::None, true, 7, false).series)
    EXPECT_FALSE(s.symbolsShown);
  EXPECT_EQ(CombinedModel(Data(), SeriesKind::Bar, MultiMode::Stacked100, false, 1, false).mode, MultiMode::Stacked100);
}

// The series view the data set's values up to each variable's count, and a
// copy of a series owns what it changes.
TEST_F(CombinedModelTest, SeriesViewTheVariablesValuesWithoutACopy) {
  Data().VarCounts[1] = 2;
  const ChartModel m = CombinedModel(Data(), SeriesKind::Line, MultiMode::None, false, 7, false);
  EXPECT_EQ(m.series[0].values.data(), Data().DataValues[0].data());
  ASSERT_EQ(m.series[1].values.size(), 2u);
  EXPECT_EQ(m.series[1].values[1], Data().DataValues[1][1]);
  ChartSeries own = m.series[1];
  own.values.push_back(42);
  EXPECT_NE(own.values.data(), Data().DataValues[1].data());
  EXPECT_EQ(std::vector<double>(own.values.begin(), own.values.end()),
            (std::vector<double>{Data().DataValues[1][0], Data().DataValues[1][1], 42}));
  EXPECT_EQ(m.series[1].values.size(), 2u);
}

TEST_F(CombinedModelTest, TheMeansLineTakesPositiveValuesOnly) {
  Data().LastVar = 2;
  EXPECT_EQ(MeansLine(Data()), "Средние:  V0=1.5  V1=1.5  V2=NAN");
}

// Each mean is the one the positive values summed in order give, however
// long the variable, whatever else it holds, and when the mean lies on a
// half of the last decimal, where another order of adding could round it the
// other way.
TEST_F(CombinedModelTest, TheMeansAreThoseOfTheValuesSummedInOrder) {
  std::mt19937 rng(17);
  DataSet& d = Data();
  std::vector<std::string> want;
  for (int v = 0; v < d.NumVar; ++v) {
    const int count = v < 6 ? v : 2 * static_cast<int>(rng() % 2500);
    Array<double> values;
    for (int j = 0; j < count; ++j) {
      const unsigned kind = rng() % 10;
      if (v % 3 == 0) {
        values.push_back(j % 2 ? 0.1 : 0.2);  // means near 0.15, a half of the last decimal
      } else {
        values.push_back(kind == 0   ? std::nan("")
                         : kind == 1 ? -static_cast<double>(rng() % 100)
                                     : static_cast<double>(rng() % 100000) / 997);
      }
    }
    double sum = 0;
    long long n = 0;
    for (const double x : values) {
      if (x > 0) {
        sum += x;
        ++n;
      }
    }
    want.push_back(n == 0 ? "NAN" : FixedText(sum / static_cast<double>(n), 0, 1));
    d.VarCounts[v] = count;
    d.DataValues[v] = values;
  }
  std::string line = "Средние:";
  for (int v = 0; v < d.NumVar; ++v) line += "  V" + std::to_string(v) + "=" + want[static_cast<std::size_t>(v)];
  EXPECT_EQ(MeansLine(d), line);
}

}  // namespace
}  // namespace tavrel
