#include "core/base/helper_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace tavrel {
namespace {

// Many hand-overs in a row, some after a pause long enough for the helper to
// sleep: both parts run every time, and what the helper wrote is seen here.
TEST(HelperThreadTest, BothPartsRunAtEveryHandOver) {
  HelperThread helper;
  std::vector<int> helperSaw(3000, 0), ownSaw(3000, 0);
  for (int round = 0; round < 3000; ++round) {
    if (round % 1000 == 999) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    helper.RunAlongside([&] { helperSaw[round] = round + 1; }, [&] { ownSaw[round] = round + 1; });
    ASSERT_EQ(helperSaw[round], round + 1);
    ASSERT_EQ(ownSaw[round], round + 1);
  }
}

// A failure of either part comes out after both parts have ended, and the
// helper goes on serving.
TEST(HelperThreadTest, AFailureOfEitherPartIsThrownHere) {
  HelperThread helper;
  bool otherRan = false;
  EXPECT_THROW(helper.RunAlongside([] { throw std::runtime_error("helper"); }, [&] { otherRan = true; }),
               std::runtime_error);
  EXPECT_TRUE(otherRan);
  otherRan = false;
  EXPECT_THROW(helper.RunAlongside([&] { otherRan = true; }, [] { throw std::range_error("own"); }), std::range_error);
  EXPECT_TRUE(otherRan);
  int after = 0;
  helper.RunAlongside([&] { after = 1; }, [] {});
  EXPECT_EQ(after, 1);
}

}  // namespace
}  // namespace tavrel
