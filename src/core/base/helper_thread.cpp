#include "core/base/helper_thread.h"

namespace tavrel {

namespace {

// How long a waiting thread watches before it sleeps: some tens of microseconds.
constexpr int kWatchRounds = 4000;

void Relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Waits until value differs from seen; returns the new value.
std::uint32_t WaitForChange(const std::atomic<std::uint32_t>& value, std::uint32_t seen) {
  for (int round = 0; round < kWatchRounds; ++round) {
    const std::uint32_t now = value.load(std::memory_order_acquire);
    if (now != seen) return now;
    Relax();
  }
  value.wait(seen, std::memory_order_acquire);
  return value.load(std::memory_order_acquire);
}

}  // namespace

bool HelperThread::Started() {
  static const bool twoCores = std::thread::hardware_concurrency() >= 2;
  if (twoCores && !thread_.joinable()) thread_ = std::thread([this] { Serve(); });
  return thread_.joinable();
}

HelperThread::~HelperThread() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  requested_.fetch_add(1, std::memory_order_release);
  requested_.notify_one();
  thread_.join();
}

void HelperThread::Serve() {
  std::uint32_t seen = 0;
  for (;;) {
    seen = WaitForChange(requested_, seen);
    if (stopping_) return;
    try {
      (*piece_)();
    } catch (...) {
      failure_ = std::current_exception();
    }
    finished_.store(seen, std::memory_order_release);
    finished_.notify_one();
  }
}

void HelperThread::RunAlongside(const std::function<void()>& helperPart, const std::function<void()>& ownPart) {
  if (!Started()) {
    ownPart();
    helperPart();
    return;
  }
  piece_ = &helperPart;
  failure_ = nullptr;
  const std::uint32_t ticket = requested_.fetch_add(1, std::memory_order_release) + 1;
  requested_.notify_one();
  std::exception_ptr ownFailure;
  try {
    ownPart();
  } catch (...) {
    ownFailure = std::current_exception();
  }
  for (std::uint32_t done = finished_.load(std::memory_order_acquire); done != ticket;)
    done = WaitForChange(finished_, done);
  if (ownFailure) std::rethrow_exception(ownFailure);
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace tavrel
