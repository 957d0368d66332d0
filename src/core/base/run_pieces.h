#pragma once
// Work shared among the processor cores in pieces that run at the same time.
#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace tavrel {

// The processor cores there are to share work among (at least one).
inline int CoreCount() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// Runs work(0) .. work(pieces - 1) at the same time, work(0) on the calling
// thread (and any piece no thread could be started for). When pieces fail,
// the failure of the first of them is rethrown, as doing them one after
// another would have met it first.
template <class Work>
void RunPieces(int pieces, const Work& work) {
  std::vector<std::exception_ptr> failures(static_cast<std::size_t>(pieces));
  const auto guarded = [&](int k) {
    try {
      work(k);
    } catch (...) {
      failures[k] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int k = 1; k < pieces; ++k) {
    try {
      threads.emplace_back(guarded, k);
    } catch (const std::system_error&) {
      guarded(k);
    }
  }
  guarded(0);
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

// Calls work(i) for i = 0..count - 1 in that many pieces at the same time
// (at least one), piece k taking k, k + pieces, k + 2 * pieces and so on.
template <class Work>
void ForEachInPieces(int count, int pieces, const Work& work) {
  pieces = std::max(1, std::min(pieces, count));
  RunPieces(pieces, [&](int k) {
    for (int i = k; i < count; i += pieces) work(i);
  });
}

}  // namespace tavrel
