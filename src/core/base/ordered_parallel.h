#pragma once
// Work on independent items by two threads, with the results taken in order.
#include <functional>

namespace tavrel {

// Calls work(worker, i) for i = 0..count - 1, items taken in turn by the
// calling thread (worker 0) and one more thread (worker 1), so that whatever
// work keeps per worker is never shared; and done(i), on the calling thread
// only, in the order of i, as soon as work(i) and every done before it have
// finished. On one core, or for one item, everything runs on the calling
// thread. An exception from work or done stops the loop after the items
// under way and is thrown again here.
void ForEachInOrder(long long count, const std::function<void(int worker, long long i)>& work,
                    const std::function<void(long long i)>& done);

}  // namespace tavrel
