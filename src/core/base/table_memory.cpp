#include "core/base/table_memory.h"

#include <linux/mman.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/base/run_pieces.h"

namespace tavrel {

namespace {

constexpr std::uintptr_t kLargePage = 2 << 20;
// The memory allocator keeps a few bytes of its own (and page rounding)
// between blocks that follow each other.
constexpr std::uintptr_t kAllocatorGap = 8192;

// Asks for 2 MB pages under the reserved, still untouched memory of the
// columns. Columns allocated one after another mostly lie next to each other,
// so the runs they form are advised as a whole. The allocator has already
// written its few bytes at the start of each column, and the system will not
// fill a 2 MB stretch that holds such a page with a large page by itself: for
// columns shorter than a large page, where every stretch holds one, the
// stretches are turned into large pages at once. Only a hint: where the
// system declines, 4 KB pages serve as before.
void AskForLargePages(const Array<Array<double>>& columns, bool shortColumns) {
  std::vector<std::pair<std::uintptr_t, std::uintptr_t>> blocks;
  for (const Array<double>& c : columns) {
    const auto begin = reinterpret_cast<std::uintptr_t>(c.data());
    blocks.emplace_back(begin, begin + c.capacity() * sizeof(double));
  }
  std::sort(blocks.begin(), blocks.end());
  for (std::size_t i = 0; i < blocks.size();) {
    const std::uintptr_t runBegin = blocks[i].first;
    std::uintptr_t runEnd = blocks[i].second;
    for (++i; i < blocks.size() && blocks[i].first >= runEnd && blocks[i].first - runEnd <= kAllocatorGap; ++i)
      runEnd = blocks[i].second;
    const std::uintptr_t first = (runBegin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = runEnd & ~(kLargePage - 1);
    if (last <= first) continue;
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    if (shortColumns) madvise(reinterpret_cast<void*>(first), last - first, MADV_COLLAPSE);
  }
}

}  // namespace

Array<Array<double>> ZeroColumns(std::size_t count, std::size_t length) {
  // A small table is allocated the ordinary way: no large page fits in it.
  if (count * length * sizeof(double) < kLargePage) return Array<Array<double>>(count, Array<double>(length));
  Array<Array<double>> columns(count);
  for (Array<double>& c : columns) c.reserve(length);
  AskForLargePages(columns, length * sizeof(double) < kLargePage);
  // Zeroing touches the pages for the first time, and the system clears each
  // as it hands it out: the cores share the columns.
  ForEachInPieces(static_cast<int>(count), CoreCount(), [&](int v) { columns[v].resize(length); });
  return columns;
}

}  // namespace tavrel
