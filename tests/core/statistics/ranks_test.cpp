#include "statistics/ranks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavrel {
namespace {

TEST(RanksTest, AveragesTiesAndCountsTheTieSum) {
  struct Case {
    Array<double> values;
    Array<double> ranks;
    double ties;
  };
  const Case cases[] = {
      {{3, 1, 3, 2}, {3.5, 1, 3.5, 2}, 3},                 // (8 - 2) / 2
      {{5, 4, 3, 2, 1}, {5, 4, 3, 2, 1}, 0},               //
      {{2, 2, 2}, {2, 2, 2}, 12},                          // (27 - 3) / 2
      {{1, 1, 2, 2, 2, 9}, {1.5, 1.5, 4, 4, 4, 6}, 15},    // 3 + 12
      {{7}, {1}, 0},                                       // a single value: rank 1, no ties
      {{1, 1 + 1e-11, 1 + 2e-11, 5}, {1.5, 1.5, 3, 4}, 3}, // a value within 1e-10 joins and ends the group
      {{0.1 + 0.2, 0.3, 4}, {1.5, 1.5, 3}, 3},             //
  };
  for (const Case& c : cases) {
    Array<double> v = c.values;
    EXPECT_DOUBLE_EQ(RankValues(v, static_cast<std::int32_t>(v.Count() - 1)), c.ties);
    EXPECT_EQ(v, c.ranks);
  }
  Array<double> none;
  EXPECT_EQ(RankValues(none, -1), 0);
}

TEST(RanksTest, SortsWithTheIndexOnLargeAndAwkwardSeries) {
  std::mt19937 rng(7);
  for (int shape = 0; shape < 4; ++shape) {
    Array<double> v;
    for (int i = 0; i < 5000; ++i) {
      const double x = shape == 0 ? rng() % 1000 : shape == 1 ? i : shape == 2 ? 5000 - i : (i % 2 ? 1 : 2);
      v.push_back(x);
    }
    const Array<double> original = v;
    Array<std::int32_t> index(v.size());
    for (std::int32_t i = 0; i < index.Count(); ++i) index[i] = i;
    SortWithIndex(v, index, 0, static_cast<std::int32_t>(v.Count() - 1));
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << shape;
    for (std::int32_t i = 0; i < index.Count(); ++i) EXPECT_EQ(v[i], original[index[i]]);
  }
}

TEST(RanksTest, RanksOfASortedSeriesAreThoseOfItsValues) {
  const Array<double> sorted = {1, 2, 2, 3, 3, 3, 4};
  Array<double> ranks(sorted.size());
  EXPECT_DOUBLE_EQ(RankSorted(sorted, 6, ranks), 3 + 12);
  EXPECT_EQ(ranks, (Array<double>{1, 2.5, 2.5, 5, 5, 5, 7}));
}

}  // namespace
}  // namespace tavrel
