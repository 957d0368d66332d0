#pragma once
// A second thread for short pieces of work handed over many times in a row,
// thousands of times a second. Between pieces it keeps watching for the next
// one for a while before it sleeps, so a hand-over costs well under a
// microsecond when they come quickly and nothing when they stop.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>

namespace tavrel {

class HelperThread {
 public:
  // The thread starts at the first hand-over, unless the machine has a single core.
  HelperThread() = default;
  ~HelperThread();
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;

  // Runs helperPart on the helper and ownPart on the calling thread, and
  // returns when both have ended; without a helper both run here, ownPart
  // first. An exception from either part is thrown here once both have ended.
  void RunAlongside(const std::function<void()>& helperPart, const std::function<void()>& ownPart);

 private:
  // Starts the thread if it is not running and the machine has two cores; false without it.
  bool Started();
  void Serve();

  std::thread thread_;
  std::atomic<std::uint32_t> requested_{0};  // pieces handed over
  std::atomic<std::uint32_t> finished_{0};   // pieces the helper has ended
  const std::function<void()>* piece_ = nullptr;
  std::exception_ptr failure_;  // of the last piece, written before finished_ moves
  bool stopping_ = false;       // written before the last hand-over
};

}  // namespace tavrel
