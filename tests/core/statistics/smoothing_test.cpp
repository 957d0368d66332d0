#include "core/statistics/smoothing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
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

// The graph's smoothing read in place gives, bit for bit, what smoothing a
// whole copy of the series run by run gives: its extremes, and every stretch
// of it wherever the stretch starts and ends. The series has runs of every
// length from 1 to 40 and a few long ones, values below 0 so that the end
// formulas fall back to their neighbours, and gaps both missing and not finite.
TEST(SmoothingTest, ReadInPlaceItIsTheSmoothingOfACopy) {
  const double E = -999;
  std::mt19937 rng(29);
  std::vector<double> series;
  for (int run = 0; run < 400; ++run) {
    const int length = run % 50 == 0 ? 300 + run : 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) series.push_back(static_cast<int>(rng() % 2500) / 100.0 - 5);
    const int gap = 1 + static_cast<int>(rng() % 3);
    for (int i = 0; i < gap; ++i) series.push_back(i == 1 ? std::numeric_limits<double>::quiet_NaN() : E);
  }
  series.resize(series.size() - 1);  // so that it may end with a run
  const auto last = static_cast<std::int32_t>(series.size()) - 1;
  for (const auto& [by3, by5] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
    const std::string what = std::string(by3 ? "by 3 " : "") + (by5 ? "by 5" : "");
    Array<double> copy(series);
    if (by3) (void)SmoothRuns(copy, last, "A", E, 3);
    if (by5) (void)SmoothRuns(copy, last, "A", E, 5);
    const auto gap = [&](std::int32_t j) {
      const double x = series[static_cast<std::size_t>(j)];
      return x == E || std::isnan(x);
    };
    double min = std::numeric_limits<double>::infinity(), max = -min;
    for (std::int32_t j = 0; j <= last; ++j) {
      if (gap(j)) continue;
      min = std::min(min, copy[j]);
      max = std::max(max, copy[j]);
    }
    const RunSmoothing s{series.data(), last, E, by3, by5};
    const SmoothedExtremes e = ExtremesOf(s);
    EXPECT_EQ(e.min, min) << what;
    EXPECT_EQ(e.max, max) << what;
    EXPECT_EQ(e.longestRun, 300 + 350 - 1) << what;

    std::vector<double> stretch;
    for (int k = 0; k < 3000; ++k) {
      const auto first = static_cast<std::int32_t>(rng() % series.size());
      const std::int32_t final = std::min(last, first + static_cast<std::int32_t>(k % 3 == 0 ? 0 : rng() % 300));
      SmoothedStretch(s, first, final, stretch);
      ASSERT_EQ(stretch.size(), static_cast<std::size_t>(final - first + 1)) << what;
      for (std::int32_t j = first; j <= final; ++j) {
        const double x = stretch[static_cast<std::size_t>(j - first)];
        if (gap(j)) {
          ASSERT_TRUE(std::isnan(x)) << what << " at " << j << ": a gap stays a gap";
        } else {
          ASSERT_EQ(x, copy[j]) << what << " at " << j << " in " << first << ".." << final;
        }
      }
    }
    SmoothedStretch(s, 0, last, stretch);
    for (std::int32_t j = 0; j <= last; ++j) {
      if (gap(j)) continue;
      ASSERT_EQ(stretch[static_cast<std::size_t>(j)], copy[j]) << what << " at " << j;
    }
  }
}

// The series' own gaps are the only gaps: a value that smoothing brings to
// the missing-value code (0 here, the program's default) is drawn and counts
// for the scale, and does not cut its run for the second pass.
TEST(SmoothingTest, ASmoothedValueEqualToTheMissingCodeIsStillAValue) {
  const std::vector<double> series = {5, 1, 2, -3, 1, 2, -3, 1, 2, -3, 1, 2, -3, 1, 2, -3, 5};
  const auto last = static_cast<std::int32_t>(series.size()) - 1;
  for (const bool by5 : {false, true}) {
    const RunSmoothing s{series.data(), last, 0, true, by5};
    std::vector<double> drawn;
    SmoothedStretch(s, 0, last, drawn);
    for (const double x : drawn) EXPECT_FALSE(std::isnan(x)) << by5;
    Array<double> whole(series);
    (void)SmoothBy3(whole, last, "A");
    if (by5) (void)SmoothBy5(whole, last, "A");
    EXPECT_EQ(drawn, static_cast<std::vector<double>>(whole)) << by5;
    const SmoothedExtremes e = ExtremesOf(s);
    EXPECT_EQ(e.min, *std::min_element(whole.begin(), whole.end())) << by5;
    EXPECT_EQ(e.max, *std::max_element(whole.begin(), whole.end())) << by5;
  }
}

}  // namespace
}  // namespace tavrel
