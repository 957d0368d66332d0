// The distances of a run are those of the pair-by-pair formula, summed over
// the features in their order, whatever the number of features and objects.
#include "core/cluster/distance_matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/cluster/cluster_options.h"

namespace tavrel {
namespace {

// The formula for one pair on prepared values (standardised for the Euclidean
// distance), one feature after the other.
double PairDistance(const Features& f, const Array<double>& ranges, int measure, std::int32_t k, std::int32_t l) {
  double sum = 0;
  for (long long v = 0; v < f.values.Count(); ++v) {
    const double xk = f.values[v][k], xl = f.values[v][l];
    if (measure == kEuclidean) sum += (xk - xl) * (xk - xl);
    if (measure == kRangeCityBlock) sum += std::fabs(xl - xk) / ranges[v];
    if (measure == kHamming && xk != xl) sum += 1;
  }
  return measure == kEuclidean ? std::sqrt(sum) : sum;
}

TEST(DistanceMatrixTest, EveryEntryIsThePairFormula) {
  std::mt19937 rng(2026);
  std::normal_distribution<double> value(50, 10);
  for (int measure = 0; measure < kObjectDistanceCount; ++measure) {
    for (int features = 1; features <= 5; ++features) {
      const int n = 2 + 17 * features;
      Features f;
      for (int v = 0; v < features; ++v) {
        f.names.push_back("V" + std::to_string(v));
        Array<double> x;
        for (int k = 0; k < n; ++k) x.push_back(std::round(value(rng)));  // whole numbers, so some are equal
        f.values.push_back(x);
      }
      DistanceMatrix d;
      ASSERT_EQ(BuildDistanceMatrix(f, measure, d, nullptr), "");
      Features prepared = f;
      Array<double> ranges;
      if (measure == kEuclidean) {
        ASSERT_EQ(StandardiseSelected(prepared), "");
      }
      for (const Array<double>& x : f.values) {
        const auto [low, high] = std::minmax_element(x.begin(), x.end());
        ranges.push_back(*high - *low);
      }
      const std::string what = "measure " + std::to_string(measure) + ", " + std::to_string(features) + " features";
      ASSERT_EQ(d.Size(), n) << what;
      for (std::int32_t k = 0; k < n; ++k) {
        EXPECT_EQ(d.At(k, k), 0) << what;
        for (std::int32_t l = k + 1; l < n; ++l) {
          const double expected = PairDistance(prepared, ranges, measure, k, l);
          ASSERT_EQ(d.At(k, l), expected) << what << " at " << k << ", " << l;  // exactly, not nearly
          ASSERT_EQ(d.At(l, k), expected) << what << " at " << l << ", " << k;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
