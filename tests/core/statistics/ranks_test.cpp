#include "core/statistics/ranks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/statistics/correlation.h"
#include "core/statistics/paired_tests.h"
#include "core/statistics/two_sample.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

TEST(RanksTest, AveragesTiesAndCountsTheTieSum) {
  struct Case {
    Array<double> values;
    Array<double> ranks;
    double ties;
  };
  const Case cases[] = {
      {{3, 1, 3, 2}, {3.5, 1, 3.5, 2}, 3},                  // (8 - 2) / 2
      {{5, 4, 3, 2, 1}, {5, 4, 3, 2, 1}, 0},                //
      {{2, 2, 2}, {2, 2, 2}, 12},                           // (27 - 3) / 2
      {{1, 1, 2, 2, 2, 9}, {1.5, 1.5, 4, 4, 4, 6}, 15},     // 3 + 12
      {{7}, {1}, 0},                                        // a single value: rank 1, no ties
      {{1, 1 + 1e-11, 1 + 2e-11, 5}, {2, 2, 2, 4}, 12},     // every value within 1e-10 of the first joins
      {{0.1 + 0.2, 0.3, 4}, {1.5, 1.5, 3}, 3},              //
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
  Array<double> part = {9, 8, 7, 6, 5};
  Array<std::int32_t> partIndex = {0, 1, 2, 3, 4};
  SortWithIndex(part, partIndex, 1, 3);  // only positions 1..3
  EXPECT_EQ(part, (Array<double>{9, 6, 7, 8, 5}));
  EXPECT_EQ(partIndex, (Array<std::int32_t>{0, 3, 2, 1, 4}));
  Array<std::int32_t> shortIndex = {0, 1};
  EXPECT_THROW(SortWithIndex(part, shortIndex, 0, 4), RangeError);

  std::mt19937 rng(7);
  for (int shape = 0; shape < 4; ++shape) {
    Array<double> v;
    for (int i = 0; i < 5000; ++i) {
      const double x = shape == 0   ? rng() % 1000 - 500.25
                       : shape == 1 ? i
                       : shape == 2 ? 5000 - i
                                    : (i % 2 ? 1e-300 : -0.5);
      v.push_back(x);
    }
    const Array<double> original = v;
    Array<std::int32_t> index(v.size());
    for (std::int32_t i = 0; i < index.Count(); ++i) index[i] = i;
    SortWithIndex(v, index, 0, static_cast<std::int32_t>(v.Count() - 1));
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << shape;
    for (std::int32_t i = 0; i < index.Count(); ++i) {
      EXPECT_EQ(v[i], original[index[i]]);
      if (i > 0 && v[i] == v[i - 1]) {
        EXPECT_LT(index[i - 1], index[i]);  // equal values keep their order
      }
    }
  }
}

// Values that differ only by rounding noise tie whatever order they come in.
TEST(RanksTest, NoiseLevelTiesDoNotDependOnTheOrder) {
  struct Case {
    std::vector<double> values;
    std::vector<double> ranks;  // of the values as listed
    double ties;
  };
  const Case cases[] = {
      {{3.5 - 1.4, 3.1 - 1.0, 2.1, 1.0}, {3, 3, 3, 1}, 12},  // differences of measured values
      {{1, 1 + 1e-11, 1 + 2e-11, 1 + 9e-11}, {2.5, 2.5, 2.5, 2.5}, 30},
      {{1, 1 + 0.6e-10, 1 + 1.2e-10}, {1.5, 1.5, 3}, 3},  // a group is measured from its first value
      {{0.3, 0.1 + 0.2, 0.3 + 1e-9}, {1.5, 1.5, 3}, 3},  // 1e-9 apart is no tie
  };
  for (const Case& c : cases) {
    std::vector<int> order(c.values.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    do {
      Array<double> v;
      for (const int i : order) v.push_back(c.values[i]);
      EXPECT_DOUBLE_EQ(RankValues(v, static_cast<std::int32_t>(v.Count() - 1)), c.ties);
      for (std::size_t k = 0; k < order.size(); ++k) EXPECT_EQ(v[k], c.ranks[order[k]]) << c.values[order[k]];
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

// Series of decimals are counted by decimal rather than sorted: the doubled
// ranks and the tie sum are those a sort gives, and so is the sorted series
// to the bit (a zero with a minus sign before one without), for every shape of
// series, whichever way it is ranked and sorted.
TEST(RanksTest, RanksAndSortingByDecimalEqualThoseOfASort) {
  std::mt19937_64 rng(11);
  std::uniform_int_distribution<int> small(0, 300);
  using Make = std::function<double(int i)>;
  const std::pair<const char*, Make> shapes[] = {
      {"two decimals", [&](int) { return (small(rng) - 150) / 100.0; }},
      {"whole numbers and both zeros", [&](int i) { return i % 7 ? small(rng) % 40 : (i % 2 ? 0.0 : -0.0); }},
      {"six places near 2^16", [&](int) { return (65535999999.0 - small(rng)) / 1e6; }},
      {"six places near -2^16", [&](int) { return -(65535999999.0 - small(rng)) / 1e6; }},
      {"decimals too far apart to count", [&](int i) { return i == 0 ? 60000 : small(rng) / 1e6; }},
      {"not decimals", [&](int) { return small(rng) / 3.0; }},
  };
  for (const auto& [what, make] : shapes) {
    for (const int n : {1, 2, 100, 5000}) {
      std::vector<double> values(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = make(i);
      std::vector<int> order(values.size());
      for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return values[a] < values[b]; });
      std::vector<std::uint32_t> want(values.size());
      double wantTies = 0;
      ForEachTieGroup(
          n, [&](long long i) { return values[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])]; },
          [&](long long first, long long size) {
            for (long long q = first; q < first + size; ++q)
              want[static_cast<std::size_t>(order[static_cast<std::size_t>(q)])] =
                  static_cast<std::uint32_t>(2 * first + size + 1);
            if (size > 1) wantTies += TieTerm(size);
          });
      Array<std::uint32_t> twice;
      RankScratch scratch;
      const double ties = TwiceRanks(values.data(), n, twice, scratch);
      EXPECT_EQ(ties, wantTies) << what << ", " << n;
      EXPECT_TRUE(std::equal(want.begin(), want.end(), twice.begin(), twice.end())) << what << ", " << n;

      std::vector<double> wantSorted = values;
      std::sort(wantSorted.begin(), wantSorted.end(), [](double a, double b) {
        return a < b || (a == b && std::signbit(a) && !std::signbit(b));
      });
      Array<double> sorted(values.begin(), values.end());
      SortValues(sorted);
      EXPECT_EQ(std::memcmp(sorted.data(), wantSorted.data(), values.size() * sizeof(double)), 0) << what << ", " << n;
    }
  }
}

// The first rows of the iris data: the differences of sepal width and petal
// length hold ties that only rounding noise separates.
class RankReportsTest : public test::ReportTest {};

TEST_F(RankReportsTest, PermutingThePairsLeavesEveryRankTestLineUnchanged) {
  std::vector<double> width = {3.5, 3.0, 3.2, 3.1, 3.6, 3.9, 3.4, 3.4, 2.9, 3.1, 3.7, 3.4, 3.0, 3.0, 4.0, 4.4};
  std::vector<double> length = {1.4, 1.4, 1.3, 1.5, 1.4, 1.7, 1.4, 1.5, 1.4, 1.5, 1.5, 1.6, 1.4, 1.1, 1.2, 1.5};
  const auto reports = [&] {
    SetVariables({{"Sepal", width}, {"Petal", length}});
    return Written([&](ResultsFileWriter& out) {
      PairWilcoxonStat(out, Data(), options_);
      WilcoxonStat(out, Data(), options_);
      SpearmanStat(out, Data(), options_);
    });
  };
  const std::string first = reports();
  EXPECT_NE(first.find("Sepal"), std::string::npos);
  std::mt19937 random(7);
  std::vector<std::size_t> order(width.size());
  for (int round = 0; round < 30; ++round) {
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<double> w, l;
    for (const std::size_t i : order) {
      w.push_back(width[i]);
      l.push_back(length[i]);
    }
    width = w;
    length = l;
    EXPECT_EQ(reports(), first) << "round " << round;
  }
}

TEST(RanksTest, TieGroupsOfASortedSeries) {
  // 1 | 2 2 | 3 3 3 | 4 | 5 5+1e-11 5+2e-11: every value within 1e-10 of the group's first joins it
  const Array<double> v = {1, 2, 2, 3, 3, 3, 4, 5, 5 + 1e-11, 5 + 2e-11};
  std::vector<std::pair<long long, long long>> groups;
  ForEachTieGroup(
      v.Count(), [&v](long long i) { return v[i]; },
      [&](long long first, long long count) { groups.emplace_back(first, count); });
  EXPECT_EQ(groups, (std::vector<std::pair<long long, long long>>{{0, 1}, {1, 2}, {3, 3}, {6, 1}, {7, 3}}));
  EXPECT_EQ(GroupRank(3, 3), 5);
  EXPECT_EQ(GroupRank(1, 2), 2.5);
  EXPECT_EQ(TieTerm(3), 12);
}

TEST(RanksTest, SortsKeysAsUnsignedNumbers) {
  Array<std::uint64_t> keys = {5, ~std::uint64_t{0}, 0, 1ull << 40, 5, 3};
  SortKeys(keys);
  EXPECT_EQ(keys, (Array<std::uint64_t>{0, 3, 5, 5, 1ull << 40, ~std::uint64_t{0}}));
}

}  // namespace
}  // namespace tavrel
