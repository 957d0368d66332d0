// The joining must pick, at every step, exactly the pair a full row-by-row
// scan of the live upper triangle picks: the smallest distance, the first
// pair met on ties, never a pair with an undefined distance unless the scan
// starts on one.
#include "core/cluster/agglomeration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/cluster/cluster_options.h"
#include "core/cluster/distance_matrix.h"

namespace tavrel {
namespace {

// The reference: the whole upper triangle over the live indices, strictly
// smaller replaces.
ClosestPair ScanAll(const Agglomeration& a) {
  ClosestPair best;
  bool have = false;
  for (std::int32_t k = 0; k < a.Objects(); ++k) {
    if (!a.IsLive(k)) continue;
    for (std::int32_t l = k + 1; l < a.Objects(); ++l) {
      if (!a.IsLive(l)) continue;
      const double v = a.Distance(k, l);
      if (!have || v < best.d) best = {k, l, v};
      have = true;
    }
  }
  return best;
}

bool SameValue(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// count features of n objects, each value drawn in turn from value.
Features RandomFeatures(std::mt19937& rng, int n, int count, std::uniform_int_distribution<int>& value) {
  Features f;
  for (int v = 0; v < count; ++v) {
    f.names.push_back("V" + std::to_string(v));
    Array<double> x;
    for (int k = 0; k < n; ++k) x.push_back(value(rng));
    f.values.push_back(x);
  }
  return f;
}

// Joins to the end, checking every step against the reference.
void ExpectSameJoins(DistanceMatrix d, int method, double beta, const std::string& what) {
  const std::int32_t n = d.Size();
  Agglomeration a(std::move(d), method, beta);
  for (std::int32_t s = 0; s + 1 < n; ++s) {
    const ClosestPair fast = a.FindClosest();
    const ClosestPair scan = ScanAll(a);
    ASSERT_EQ(fast.i, scan.i) << what << " step " << s;
    ASSERT_EQ(fast.j, scan.j) << what << " step " << s;
    ASSERT_TRUE(SameValue(fast.d, scan.d)) << what << " step " << s << ": " << fast.d << " " << scan.d;
    a.Join(fast.i, fast.j, n + 1 + s);
  }
  for (std::int32_t k = 0; k < n; ++k) EXPECT_EQ(a.Membership()[k], 2 * n - 1) << what;
  EXPECT_EQ(a.SizeOf(2 * n - 1), n) << what;
}

TEST(AgglomerationTest, FastSearchMatchesTheFullScanOnDataWithTies) {
  std::mt19937 rng(20261210);
  for (int measure = 0; measure < kObjectDistanceCount; ++measure) {
    for (int method = 0; method < kJoiningMethodCount; ++method) {
      for (int trial = 0; trial < 60; ++trial) {
        std::uniform_int_distribution<int> objects(2, 45), count(1, 4), value(0, trial % 3 + 1);
        const int n = objects(rng);
        const int features = count(rng);
        const Features f = RandomFeatures(rng, n, features, value);
        DistanceMatrix d;
        if (!BuildDistanceMatrix(f, measure, d, nullptr).empty()) continue;  // a constant feature
        const double beta = trial % 2 ? -0.25 : 0.5;
        ExpectSameJoins(std::move(d), method, beta,
                        "measure " + std::to_string(measure) + " method " + std::to_string(method) + " trial " +
                            std::to_string(trial));
        if (HasFatalFailure()) return;
      }
    }
  }
}

// Enough objects for the rows to fill several blocks of the search, few
// distinct values for ties between the blocks.
TEST(AgglomerationTest, FastSearchMatchesTheFullScanOverManyRows) {
  std::mt19937 rng(18);
  for (int method = 0; method < kJoiningMethodCount; ++method) {
    for (int trial = 0; trial < 2; ++trial) {
      const int n = std::uniform_int_distribution<int>(130, 260)(rng);
      std::uniform_int_distribution<int> value(0, 2 + 3 * trial);
      const Features f = RandomFeatures(rng, n, 2, value);
      DistanceMatrix d;
      ASSERT_TRUE(BuildDistanceMatrix(f, trial == 0 ? kHamming : kEuclidean, d, nullptr).empty());
      ExpectSameJoins(std::move(d), method, -0.25, "method " + std::to_string(method) + " trial " + std::to_string(trial));
      if (HasFatalFailure()) return;
    }
  }
}

TEST(AgglomerationTest, FastSearchMatchesTheFullScanWithInfiniteAndUndefinedDistances) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {0, 1, 2, 1e8, inf, -inf, nan};  // 1e8: above any fixed sentinel
  std::mt19937 rng(7);
  for (int method = 0; method < kJoiningMethodCount; ++method) {
    for (int trial = 0; trial < 80; ++trial) {
      const int n = std::uniform_int_distribution<int>(2, 25)(rng);
      // Later trials keep the special values rarer, so that the joins run longer on real ones.
      std::uniform_int_distribution<int> pick(0, trial < 40 ? 6 : 3), rare(0, 30);
      DistanceMatrix d(n);
      for (int k = 0; k < n; ++k)
        for (int l = k + 1; l < n; ++l) d.Set(k, l, values[rare(rng) == 0 ? 4 + rare(rng) % 3 : pick(rng)]);
      ExpectSameJoins(std::move(d), method, 0.25, "method " + std::to_string(method) + " trial " + std::to_string(trial));
      if (HasFatalFailure()) return;
    }
  }
}

// Every distance from a new cluster follows the method's recurrence from the
// distances before the join, on a matrix large enough for the first minima
// and the joins to be shared between two threads: a plain full matrix joined
// alongside is the reference, and the pairs are the full scan's.
TEST(AgglomerationTest, DistancesAfterEachJoinFollowTheRecurrence) {
  const int n = 700;
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> value(0, 40);
  const Features f = RandomFeatures(rng, n, 3, value);
  for (int method = 0; method < kJoiningMethodCount; ++method) {
    DistanceMatrix d;
    ASSERT_TRUE(BuildDistanceMatrix(f, kEuclidean, d, nullptr).empty());
    std::vector<double> plain(static_cast<std::size_t>(n) * n);
    for (int k = 0; k < n; ++k)
      for (int l = 0; l < n; ++l) plain[k * n + l] = k == l ? 0 : d.At(k, l);
    std::vector<double> size(n, 1.0);
    std::vector<bool> live(n, true);
    const double beta = -0.25;
    Agglomeration a(std::move(d), method, beta);
    for (int s = 0; s + 1 < n; ++s) {
      const ClosestPair p = a.FindClosest();
      if (s < 200 || s % 25 == 0) {  // every step while both threads share the joins, then now and then
        const ClosestPair scan = ScanAll(a);
        ASSERT_EQ(p.i, scan.i) << "method " << method << " step " << s;
        ASSERT_EQ(p.j, scan.j) << "method " << method << " step " << s;
      }
      const double ni = size[p.i], nj = size[p.j], dij = plain[p.i * n + p.j];
      a.Join(p.i, p.j, n + 1 + s);
      live[p.j] = false;
      for (int m = 0; m < n; ++m) {
        if (!live[m] || m == p.i) continue;
        const double nm = size[m], nk = ni + nj, t = nm + ni + nj;
        const double dmi = plain[m * n + p.i], dmj = plain[m * n + p.j];
        double ai = 0.5, aj = 0.5, b = 0, g = 0;
        if (method == kNearestNeighbour) g = -0.5;
        if (method == kFurthestNeighbour) g = 0.5;
        if (method == kGroupAverage || method == kCentroid) ai = ni / nk, aj = nj / nk;
        if (method == kCentroid) b = -ni * nj / (nk * nk);
        if (method == kWard) ai = (nm + ni) / t, aj = (nm + nj) / t, b = -nm / t;
        if (method == kFlexible) ai = aj = (1 - beta) / 2, b = beta;
        const double expected = ai * dmi + aj * dmj + b * dij + g * std::fabs(dmi - dmj);
        plain[m * n + p.i] = plain[p.i * n + m] = expected;
        ASSERT_EQ(a.Distance(p.i, m), expected) << "method " << method << " step " << s << " m " << m;
        ASSERT_EQ(a.Distance(m, p.i), expected) << "method " << method << " step " << s << " m " << m;
      }
      size[p.i] = ni + nj;
    }
    EXPECT_EQ(a.SizeOf(2 * n - 1), n) << "method " << method;
  }
}

}  // namespace
}  // namespace tavrel
