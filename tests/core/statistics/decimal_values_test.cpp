#include "core/statistics/decimal_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace tavrel {
namespace {

// The places a series keeps to: the fewest that every value keeps to, looked
// at block by block, or none for what is not the double nearest to a decimal
// of six places or fewer below 2^16.
TEST(DecimalValuesTest, FindThePlacesEveryValueKeepsTo) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> whole(300, 7.0);
  std::vector<double> laterHalf = whole;
  laterHalf.push_back(-0.5);  // the second block needs a place
  std::vector<double> laterSixth = whole;
  laterSixth[299] = 1.000001;
  const struct {
    std::string what;
    std::vector<double> values;
    int places;
  } cases[] = {
      {"two decimals", {50.23, 12.5, 99}, 2},
      {"whole numbers", {70, -3, 0}, 0},
      {"a half in a later block", laterHalf, 1},
      {"six places", laterSixth, 6},
      {"seven places", {1.0000001}, -1},
      {"a sum that is not its decimal", {0.1 + 0.2}, -1},
      {"just below 2^16", {65535.5, -65535.5}, 1},
      {"2^16", {65536}, -1},
      {"not a number", {1, nan}, -1},
      {"none", {}, -1},
  };
  for (const auto& c : cases) {
    const DecimalValues got = DecimalValuesOf(c.values.data(), static_cast<long long>(c.values.size()));
    EXPECT_EQ(got.places, c.places) << c.what;
    if (c.places < 0) continue;
    EXPECT_EQ(got.low, *std::min_element(c.values.begin(), c.values.end())) << c.what;
    EXPECT_EQ(got.high, *std::max_element(c.values.begin(), c.values.end())) << c.what;
  }
}

}  // namespace
}  // namespace tavrel
