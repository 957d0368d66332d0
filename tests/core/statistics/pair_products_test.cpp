// The sums of products and of differences of every pair, made tile by tile
// and stretch by stretch: bit for bit the sums of a plain loop over each pair,
// for pairs in one tile and across tiles, and lengths around a stretch.
#include "core/statistics/pair_products.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tavrel {
namespace {

TEST(PairSumsTest, AreThoseOfALoopOverEachPair) {
  std::mt19937 rng(11);
  // Values of very different sizes, so that another order of the additions
  // would show in the last bits.
  std::uniform_real_distribution<double> noise(-1, 1);
  for (const int m : {1, 2, 5, 8, 9, 17}) {
    for (const std::int32_t count : {0, 1, 3, 2047, 2048, 2049, 5000}) {
      SCOPED_TRACE(testing::Message() << m << " columns of " << count);
      std::vector<std::vector<double>> values(static_cast<std::size_t>(m));
      std::vector<const double*> columns;
      std::vector<double> means;
      for (std::vector<double>& v : values) {
        for (std::int32_t i = 0; i < count; ++i) v.push_back(noise(rng) * (i % 7 == 0 ? 1e9 : 1e-3));
        columns.push_back(v.data());
        means.push_back(noise(rng));
      }
      std::vector<int> progress;
      const std::vector<double> sums = PairProductSums(columns, means, count, [&](int pairs) { progress.push_back(pairs); });
      ASSERT_EQ(sums.size(), static_cast<std::size_t>(m * (m - 1) / 2));
      std::size_t next = 0;
      for (int j = 0; j < m; ++j) {
        for (int k = j + 1; k < m; ++k) {
          double expected = 0;
          for (std::int32_t i = 0; i < count; ++i) expected += (values[j][i] - means[j]) * (values[k][i] - means[k]);
          EXPECT_EQ(sums[next++], expected) << j << ", " << k;
        }
      }
      const std::vector<DifferenceSums> differences = PairDifferenceSums(columns, count, {});
      ASSERT_EQ(differences.size(), sums.size());
      next = 0;
      for (int j = 0; j < m; ++j) {
        for (int k = j + 1; k < m; ++k) {
          DifferenceSums expected;
          for (std::int32_t i = 0; i < count; ++i) {
            const double d = values[j][i] - values[k][i];
            expected.sum += d;
            expected.squares += d * d;
          }
          EXPECT_EQ(differences[next].sum, expected.sum) << j << ", " << k;
          EXPECT_EQ(differences[next].squares, expected.squares) << j << ", " << k;
          ++next;
        }
      }
      if (m > 1) {
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back(), m * (m - 1) / 2);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
