#pragma once
// Work shared among the processor cores in pieces that run at the same time.
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace tavrel {

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

}  // namespace tavrel
