#include "core/base/ordered_parallel.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrel {

void ForEachInOrder(long long count, const std::function<void(int worker, long long i)>& work,
                    const std::function<void(long long i)>& done) {
  if (count < 2 || std::thread::hardware_concurrency() < 2) {
    for (long long i = 0; i < count; ++i) {
      work(0, i);
      done(i);
    }
    return;
  }
  std::vector<std::atomic<bool>> finished(static_cast<std::size_t>(count));
  std::atomic<long long> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  std::exception_ptr helperFailure;  // written by the helper before it says it stopped
  std::atomic<bool> helperStopped{false};
  // Takes the next item and works on it; false when none is left.
  const auto take = [&](int worker) {
    const long long i = next.fetch_add(1);
    if (i >= count) return false;
    work(worker, i);
    finished[static_cast<std::size_t>(i)].store(true, std::memory_order_release);
    return true;
  };
  std::thread helper([&] {
    try {
      while (!stop.load(std::memory_order_relaxed) && take(1)) {
        std::lock_guard<std::mutex> lock(mutex);
        changed.notify_one();
      }
    } catch (...) {
      helperFailure = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(mutex);
    helperStopped.store(true);
    changed.notify_one();
  });
  // The helper is stopped and waited for however this thread leaves.
  struct Join {
    std::atomic<bool>& stop;
    std::thread& helper;
    ~Join() {
      stop.store(true);
      helper.join();
    }
  } join{stop, helper};
  for (long long i = 0; i < count; ++i) {
    const std::atomic<bool>& ready = finished[static_cast<std::size_t>(i)];
    while (!ready.load(std::memory_order_acquire)) {
      if (take(0)) continue;
      // Item i is under way on the helper.
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [&] { return ready.load(std::memory_order_acquire) || helperStopped.load(); });
      // A helper that stopped with item i unfinished failed on it.
      if (!ready.load(std::memory_order_acquire) && helperFailure) std::rethrow_exception(helperFailure);
    }
    done(i);
  }
}

}  // namespace tavrel
