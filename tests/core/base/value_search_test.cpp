// Counting the values equal to one, two at a time in vector registers: the
// same count as one value at a time, whatever the length and wherever they lie.
#include "core/base/value_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

namespace tavrel {
namespace {

TEST(CountEqualTest, CountsAsOneValueAtATimeDoes) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double kinds[] = {-999, 1, 2.5, nan, 0.0, -0.0};
  std::mt19937 rng(3);
  for (std::size_t n = 0; n < 50; ++n) {
    std::vector<double> x(n);
    for (double& v : x) v = kinds[rng() % std::size(kinds)];
    for (const double value : {-999.0, 0.0, 2.5, nan}) {
      EXPECT_EQ(CountEqual(x.data(), n, value), static_cast<std::size_t>(std::count(x.begin(), x.end(), value)))
          << n << " " << value;
    }
  }
}

}  // namespace
}  // namespace tavrel
