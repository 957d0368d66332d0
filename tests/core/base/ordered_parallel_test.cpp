#include "core/base/ordered_parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace tavrel {
namespace {

// Every item is worked on once, by worker 0 or 1, and taken in order only
// after its work, however long each item takes.
TEST(OrderedParallelTest, EveryItemWorkedOnceAndTakenInOrder) {
  for (const long long count : {0LL, 1LL, 2LL, 3LL, 1000LL}) {
    std::vector<std::atomic<int>> worked(static_cast<std::size_t>(count));
    std::vector<long long> taken;
    std::atomic<bool> badWorker{false};
    ForEachInOrder(
        count,
        [&](int worker, long long i) {
          if (worker != 0 && worker != 1) badWorker = true;
          volatile double spin = 0;  // items of unequal length
          for (long long r = 0; r < (i % 7) * 2000; ++r) spin = spin + 1;
          ++worked[static_cast<std::size_t>(i)];
        },
        [&](long long i) {
          EXPECT_EQ(worked[static_cast<std::size_t>(i)].load(), 1) << i;
          taken.push_back(i);
        });
    EXPECT_FALSE(badWorker);
    ASSERT_EQ(static_cast<long long>(taken.size()), count);
    for (long long i = 0; i < count; ++i) {
      EXPECT_EQ(taken[static_cast<std::size_t>(i)], i);
      EXPECT_EQ(worked[static_cast<std::size_t>(i)].load(), 1) << i;
    }
  }
}

// A failure in the work, on whichever thread, or in taking an item stops the
// loop and comes out of it; items after it are not taken.
TEST(OrderedParallelTest, FailuresComeOutAndStopTheLoop) {
  for (const long long failing : {0LL, 1LL, 57LL, 499LL}) {
    for (const bool inWork : {true, false}) {
      long long lastTaken = -1;
      EXPECT_THROW(ForEachInOrder(
                       500,
                       [&](int, long long i) {
                         if (inWork && i == failing) throw std::runtime_error("work");
                       },
                       [&](long long i) {
                         if (!inWork && i == failing) throw std::runtime_error("done");
                         lastTaken = i;
                       }),
                   std::runtime_error)
          << failing << (inWork ? " in work" : " in done");
      EXPECT_EQ(lastTaken, failing - 1) << failing << (inWork ? " in work" : " in done");
    }
  }
}

}  // namespace
}  // namespace tavrel
