#include "core/statistics/smoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tavrel {
namespace {

Array<double> Line(int size) {
  Array<double> v;
  for (int i = 0; i < size; ++i) v.push_back(i);
  return v;
}

TEST(SmoothingTest, AStraightLineStaysStraight) {
  Array<double> v = Line(10);
  EXPECT_EQ(SmoothBy3(v, 9, "A"), "");
  for (int i = 0; i < 10; ++i) EXPECT_DOUBLE_EQ(v[i], i);
  v = Line(12);
  EXPECT_EQ(SmoothBy5(v, 11, "A"), "");
  for (int i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(v[i], i);
}

TEST(SmoothingTest, EndFormulasAndNegativeEnds) {
  Array<double> v = {10, 0, 0, 0, 0, 0, 0, 0, 9};
  EXPECT_EQ(SmoothBy3(v, 8, "A"), "");
  EXPECT_EQ(v, (Array<double>{10, 0, 0, 0, 0, 0, 0, 3, 7.5}));
  // A steep fall at the end: L = (5 * 0 + 2 * 6 - 30) / 6 < 0, so the end repeats its neighbour.
  v = {1, 1, 1, 1, 1, 1, 30, 6, 0};
  EXPECT_EQ(SmoothBy3(v, 8, "A"), "");
  EXPECT_DOUBLE_EQ(v[7], 12);
  EXPECT_DOUBLE_EQ(v[8], 12);
  EXPECT_DOUBLE_EQ(v[1], 1);
  // By 5: E4 = (3 * 0 + 2 * 0 + 0 - 50) / 5 < 0 gives E3 = (0 + 0 + 0 + 0) / 10 at the end.
  v = {0, 5, 5, 5, 5, 5, 5, 5, 50, 0, 0, 0, 0};
  EXPECT_EQ(SmoothBy5(v, 12, "A"), "");
  EXPECT_DOUBLE_EQ(v[12], 0);
  EXPECT_DOUBLE_EQ(v[11], 0);  // E3 = 0
  EXPECT_DOUBLE_EQ(v[10], 10);
  EXPECT_DOUBLE_EQ(v[1], 5);  // E1 = (15 + 10 + 5 - 5) / 5
  EXPECT_DOUBLE_EQ(v[2], 5);  // E2 = (20 + 15 + 10 + 5) / 10
}

TEST(SmoothingTest, ShortSeriesStayAndTellWhy) {
  Array<double> v = Line(7);
  EXPECT_EQ(SmoothBy3(v, 6, "Пульс  "), "Ошибка сглаживания по 3 точкам:  в Пульс мало значений");
  EXPECT_EQ(v, Line(7));
  v = Line(11);
  EXPECT_EQ(SmoothBy5(v, 10, " АД "), "Ошибка сглаживания по 5 точкам:  в АД мало значений");
  EXPECT_EQ(v, Line(11));
  v = Line(8);
  EXPECT_EQ(SmoothBy3(v, 7, "A"), "");
  v = Line(12);
  EXPECT_EQ(SmoothBy5(v, 11, "A"), "");
}

// Missing values are gaps: each run between them is smoothed as a series of
// its own, a run too short stays as it is, and the code is never averaged in.
TEST(SmoothingTest, RunsBetweenGapsAreSmoothedOnTheirOwn) {
  const double E = -999;
  const std::vector<double> line = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};  // long enough by 3 points
  const struct {
    const char* what;
    std::vector<double> in;
    int points;
    bool refused;
  } cases[] = {
      {"no gap", line, 3, false},
      {"gap in the middle", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, E, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 3, false},
      {"gaps at both ends", {E, E, 0, 4, 0, 4, 0, 4, 0, 4, 0, E}, 3, false},
      {"a short run beside a long one", {5, 1, E, 0, 4, 0, 4, 0, 4, 0, 4, 0, 4}, 3, false},
      {"every run too short", {1, 2, 3, E, 4, 5, 6, E, 7}, 3, true},
      {"nothing present", {E, E, E}, 3, true},
      {"by 5 points", {E, 0, 4, 0, 4, 0, 4, 0, 4, 0, 4, 0, 4, E, 1, 2}, 5, false},
      {"too short by 5 points", {0, 4, 0, 4, 0, 4, 0, 4, 0, 4, E, 1}, 5, true},
      {"not finite is a gap too", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, std::numeric_limits<double>::infinity(), 3}, 3, false},
  };
  for (const auto& c : cases) {
    Array<double> v(c.in);
    const std::string message = SmoothRuns(v, static_cast<std::int32_t>(v.size()) - 1, "A ", E, c.points);
    EXPECT_EQ(!message.empty(), c.refused) << c.what;
    if (c.refused) {
      EXPECT_EQ(message, "Ошибка сглаживания по " + std::to_string(c.points) + " точкам:  в A мало значений") << c.what;
      EXPECT_EQ(v, Array<double>(c.in)) << c.what;
    }
    // Each run comes out as it would alone.
    for (std::size_t from = 0; from < c.in.size();) {
      const auto gap = [&](std::size_t j) { return c.in[j] == E || !std::isfinite(c.in[j]); };
      if (gap(from)) {
        EXPECT_EQ(v[static_cast<long long>(from)], c.in[from]) << c.what << ": a gap stays a gap";
        ++from;
        continue;
      }
      std::size_t to = from;
      while (to + 1 < c.in.size() && !gap(to + 1)) ++to;
      Array<double> alone(c.in.begin() + static_cast<long long>(from), c.in.begin() + static_cast<long long>(to) + 1);
      const std::int32_t last = static_cast<std::int32_t>(to - from);
      (void)(c.points == 3 ? SmoothBy3(alone, last, "A") : SmoothBy5(alone, last, "A"));
      for (std::size_t j = from; j <= to; ++j) {
        EXPECT_DOUBLE_EQ(v[static_cast<long long>(j)], alone[static_cast<long long>(j - from)]) << c.what << " at " << j;
        EXPECT_GT(v[static_cast<long long>(j)], E / 2) << c.what << ": the code is never averaged in";
      }
      from = to + 1;
    }
  }
}

}  // namespace
}  // namespace tavrel
