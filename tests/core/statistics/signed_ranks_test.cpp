#include "core/statistics/signed_ranks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/statistics/ranks.h"

namespace tavrel {
namespace {

// The sums from the sizes of the differences ranked by RankValues.
SignedRankSums ByRankValues(const std::vector<double>& x, const std::vector<double>& y) {
  Array<double> sizes;
  std::vector<bool> positive;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double d = x[i] - y[i];
    if (d == 0) continue;
    sizes.push_back(std::fabs(d));
    positive.push_back(d > 0);
  }
  RankValues(sizes, static_cast<std::int32_t>(sizes.size()) - 1);
  SignedRankSums sums;
  for (std::size_t l = 0; l < positive.size(); ++l) {
    if (positive[l]) sums.plus += sizes[static_cast<long long>(l)];
    if (!positive[l]) sums.minus -= sizes[static_cast<long long>(l)];
  }
  sums.count = sizes.Count();
  return sums;
}

// However the sizes are spread, the sums are exactly those of RankValues: each
// rank a whole number or a half, so any order of adding gives the same sums.
TEST(SignedRanksTest, SumsEqualThoseOfRankValues) {
  std::mt19937_64 rng(2024);
  std::normal_distribution<double> value(0, 20);
  std::uniform_int_distribution<int> small(0, 300);
  const double inf = std::numeric_limits<double>::infinity();
  // A measurement read from a text, with decimals of 1 / per (10, 100, ...)
  // and spread over some 500 of them: a bucket then holds one size or none.
  const auto measured = [&](double per) { return std::round(value(rng) * 5) / per; };
  using Generator = std::function<void(int i, double& x, double& y)>;
  const std::vector<std::pair<std::string, Generator>> kinds = {
      {"two decimals", [&](int, double& x, double& y) { x = measured(100), y = measured(100); }},
      {"whole numbers", [&](int, double& x, double& y) { x = measured(1), y = measured(1); }},
      {"decimals spread widely", [&](int, double& x, double& y) { x = measured(1) / 1000, y = measured(100); }},
      {"full precision", [&](int, double& x, double& y) { x = value(rng), y = value(rng); }},
      {"one far off", [&](int i, double& x, double& y) { x = i == 0 ? 1e9 : measured(10), y = measured(10); }},
      {"not finite",
       [&](int i, double& x, double& y) { x = i == 3 ? inf : measured(1), y = i == 5 ? -inf : measured(1); }},
      // a few sizes in the buckets of others, but apart from them
      {"a few close sizes",
       [&](int i, double& x, double& y) { y = measured(1), x = i % 17 ? measured(1) : y + 5 + 1e-6 * (i % 5); }},
      // sizes a fraction of the tie distance apart: groups end inside buckets
      // or run on into the next ones
      {"within the tie distance",
       [&](int i, double& x, double& y) { x = 1 + small(rng) * 0.37e-10, y = i % 2 ? 1 - small(rng) * 1e-11 : 3; }},
      {"a few within the tie distance",
       [&](int i, double& x, double& y) { y = measured(1), x = i % 29 ? measured(1) : y + 2 + small(rng) * 0.4e-10; }},
      // six places on values close to the largest that are counted by size
      {"six places near 2^16",
       [&](int, double& x, double& y) { x = (65535999999.0 - small(rng)) / 1e6, y = (65535999999.0 - small(rng)) / 1e6; }},
      {"six places near -2^16",
       [&](int, double& x, double& y) { x = -(65535999999.0 - small(rng)) / 1e6, y = -(65535999999.0 - small(rng)) / 1e6; }},
  };
  for (const auto& [what, make] : kinds) {
    // 50000 sizes of a few decimals fill few buckets: the next pairs take fewer.
    for (const int n : {1, 63, 64, 500, 5000, 50000}) {
      SignedRanker ranker;  // kept for several pairs, as the table keeps it
      SignedRanker decimalRanker;  // told how the values are written
      for (int round = 0; round < 3; ++round) {
        std::vector<double> x(n), y(n);
        for (int i = 0; i < n; ++i) make(i, x[i], y[i]);
        const SignedRankSums want = ByRankValues(x, y);
        const SignedRankSums got = ranker.Rank(x.data(), y.data(), n);
        const SignedRankSums counted =
            decimalRanker.Rank(x.data(), y.data(), n, DecimalValuesOf(x.data(), n), DecimalValuesOf(y.data(), n));
        for (const SignedRankSums& sums : {got, counted}) {
          EXPECT_EQ(sums.plus, want.plus) << what << ", " << n << " values";
          EXPECT_EQ(sums.minus, want.minus) << what << ", " << n << " values";
          EXPECT_EQ(sums.count, want.count) << what << ", " << n << " values";
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
