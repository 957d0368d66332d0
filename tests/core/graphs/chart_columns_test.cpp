// Dense lines as the runs they fill column by column, and the runs a later
// one covers left out.
#include "core/graphs/chart_columns.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrel {
namespace {

struct RunsCase {
  const char* what;
  std::vector<Vec2> points;
  std::vector<Vec2> runs;
};

TEST(ColumnRuns, ALineFillsItsHeightInEachColumnItCrosses) {
  const RunsCase cases[] = {
      {"one point, a line's width high", {{10.5, 20}}, {{10, 19.5}, {11, 20.5}}},
      {"extremes in one column", {{10.2, 20}, {10.7, 30}, {10.9, 25}}, {{10, 19.5}, {11, 30.5}}},
      {"upright, then on to the next column",
       {{10.5, 20}, {10.5, 30}, {11.5, 40}},
       {{10, 19.5}, {11, 35.5}, {11, 34.5}, {12, 40.5}}},
      {"across three columns, its height where it enters and leaves each",
       {{10.5, 0}, {12.5, 20}},
       {{10, -0.5}, {11, 5.5}, {11, 4.5}, {12, 15.5}, {12, 14.5}, {13, 20.5}}},
      {"drawn leftwards, as in a 3-D chart seen from the right",
       {{12.5, 20}, {10.5, 0}},
       {{12, 14.5}, {13, 20.5}, {11, 4.5}, {12, 15.5}, {10, -0.5}, {11, 5.5}}},
      {"no points", {}, {}},
  };
  for (const RunsCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Vec2> runs = ColumnRunsOf(c.points);
    ASSERT_EQ(runs.size(), c.runs.size());
    for (std::size_t k = 0; k < runs.size(); ++k) {
      EXPECT_DOUBLE_EQ(runs[k].x, c.runs[k].x) << k;
      EXPECT_DOUBLE_EQ(runs[k].y, c.runs[k].y) << k;
    }
  }
}

// Which item's colour each pixel of a small picture ends with (-1 for
// none), the runs painted in order: a pixel is filled when its centre lies
// in a run.
std::vector<int> Painted(const std::vector<std::vector<Vec2>>& items) {
  constexpr int kSize = 24;
  std::vector<int> picture(kSize * kSize, -1);
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (std::size_t k = 0; k + 1 < items[i].size(); k += 2) {
      const Vec2 a = items[i][k], b = items[i][k + 1];
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
          if (x + 0.5 > a.x && x + 0.5 < b.x && y + 0.5 > a.y && y + 0.5 < b.y) picture[y * kSize + x] = static_cast<int>(i);
    }
  }
  return picture;
}

// Whatever the lines, the picture stays the same with the covered runs left
// out; lines that lie on one another leave little to paint.
TEST(ColumnRuns, WhatALaterLineCoversIsLeftOutAndThePictureStays) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> height(0, 24);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::vector<Vec2>> items(2 + round % 4);
    for (std::vector<Vec2>& line : items) {
      std::vector<Vec2> points;
      for (double x = 0.5; x < 24; x += 0.5) points.push_back({x, height(random)});
      line = ColumnRunsOf(points);
    }
    std::vector<std::vector<Vec2>> kept = items;
    std::vector<std::vector<Vec2>*> pointers;
    for (std::vector<Vec2>& runs : kept) pointers.push_back(&runs);
    DropCoveredRuns(pointers);
    EXPECT_EQ(Painted(kept), Painted(items));
    for (std::size_t i = 0; i < kept.size(); ++i)
      for (std::size_t k = 0; k + 1 < kept[i].size(); k += 2) EXPECT_LT(kept[i][k].y, kept[i][k + 1].y);
  }
  // Bands over the whole height: only the last one is painted.
  std::vector<Vec2> band, same;
  for (double x = 0.5; x < 24; x += 0.5) band.push_back({x, x == std::floor(x) + 0.5 ? 1.0 : 23.0});
  std::vector<std::vector<Vec2>> bands(5, ColumnRunsOf(band));
  std::vector<std::vector<Vec2>*> pointers;
  for (std::vector<Vec2>& runs : bands) pointers.push_back(&runs);
  DropCoveredRuns(pointers);
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) EXPECT_TRUE(bands[i].empty()) << i;
  EXPECT_EQ(bands.back().size(), ColumnRunsOf(band).size());
}

}  // namespace
}  // namespace tavrel
