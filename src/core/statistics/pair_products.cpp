#include "core/statistics/pair_products.h"

#include <algorithm>
#include <cstddef>

#include "core/base/ordered_parallel.h"

namespace tavrel {

namespace {

constexpr int kTileColumns = 8;         // a tile pairs the columns of two blocks of this many
constexpr std::int32_t kStretch = 2048;  // values of each column read at a time: 16 KB

struct Tile {
  int rowFirst, rowEnd;  // the first of a pair
  int colFirst, colEnd;  // the second; the same block for a tile on the diagonal
  int pairs;
};

std::size_t PairIndex(int j, int k, int m) {
  return static_cast<std::size_t>(j) * static_cast<std::size_t>(2 * m - j - 1) / 2 + static_cast<std::size_t>(k - j - 1);
}

}  // namespace

std::vector<double> PairProductSums(const std::vector<const double*>& columns, const std::vector<double>& means,
                                    std::int32_t count, const std::function<void(int pairs)>& done) {
  const int m = static_cast<int>(columns.size());
  std::vector<double> sums(m < 2 ? 0 : static_cast<std::size_t>(m) * static_cast<std::size_t>(m - 1) / 2, 0.0);
  std::vector<Tile> tiles;
  for (int rows = 0; rows < m; rows += kTileColumns) {
    for (int cols = rows; cols < m; cols += kTileColumns) {
      Tile t{rows, std::min(rows + kTileColumns, m), cols, std::min(cols + kTileColumns, m), 0};
      for (int j = t.rowFirst; j < t.rowEnd; ++j) t.pairs += t.colEnd - std::max(t.colFirst, j + 1);
      if (t.pairs > 0) tiles.push_back(t);
    }
  }
  // Each worker's deviations of a tile's columns over one stretch.
  std::vector<double> deviations[2];
  for (std::vector<double>& d : deviations) d.resize(static_cast<std::size_t>(2 * kTileColumns) * kStretch);
  int finished = 0;
  ForEachInOrder(
      static_cast<long long>(tiles.size()),
      [&](int worker, long long index) {
        const Tile& t = tiles[static_cast<std::size_t>(index)];
        const bool diagonal = t.colFirst == t.rowFirst;
        // The tile's columns in slots: its rows, then (off the diagonal) its columns.
        const auto slotOf = [&](int v) {
          return v >= t.rowFirst && v < t.rowEnd ? v - t.rowFirst : (t.rowEnd - t.rowFirst) + (v - t.colFirst);
        };
        std::vector<int> members;
        for (int v = t.rowFirst; v < t.rowEnd; ++v) members.push_back(v);
        if (!diagonal)
          for (int v = t.colFirst; v < t.colEnd; ++v) members.push_back(v);
        double* dev = deviations[worker].data();
        double acc[kTileColumns][kTileColumns] = {};
        for (std::int32_t from = 0; from < count; from += kStretch) {
          const std::int32_t length = std::min(kStretch, count - from);
          for (const int v : members) {
            const double* x = columns[static_cast<std::size_t>(v)] + from;
            const double mean = means[static_cast<std::size_t>(v)];
            double* out = dev + static_cast<std::ptrdiff_t>(slotOf(v)) * kStretch;
            for (std::int32_t i = 0; i < length; ++i) out[i] = x[i] - mean;
          }
          for (int j = t.rowFirst; j < t.rowEnd; ++j) {
            const double* dj = dev + static_cast<std::ptrdiff_t>(slotOf(j)) * kStretch;
            double* row = acc[j - t.rowFirst];
            int k = std::max(t.colFirst, j + 1);
            // Four sums side by side, so that no addition waits for the one before.
            for (; k + 4 <= t.colEnd; k += 4) {
              const double* d0 = dev + static_cast<std::ptrdiff_t>(slotOf(k)) * kStretch;
              const double* d1 = dev + static_cast<std::ptrdiff_t>(slotOf(k + 1)) * kStretch;
              const double* d2 = dev + static_cast<std::ptrdiff_t>(slotOf(k + 2)) * kStretch;
              const double* d3 = dev + static_cast<std::ptrdiff_t>(slotOf(k + 3)) * kStretch;
              const int c = k - t.colFirst;
              double a0 = row[c], a1 = row[c + 1], a2 = row[c + 2], a3 = row[c + 3];
              for (std::int32_t i = 0; i < length; ++i) {
                const double x = dj[i];
                a0 += x * d0[i];
                a1 += x * d1[i];
                a2 += x * d2[i];
                a3 += x * d3[i];
              }
              row[c] = a0;
              row[c + 1] = a1;
              row[c + 2] = a2;
              row[c + 3] = a3;
            }
            for (; k < t.colEnd; ++k) {
              const double* dk = dev + static_cast<std::ptrdiff_t>(slotOf(k)) * kStretch;
              double a = row[k - t.colFirst];
              for (std::int32_t i = 0; i < length; ++i) a += dj[i] * dk[i];
              row[k - t.colFirst] = a;
            }
          }
        }
        for (int j = t.rowFirst; j < t.rowEnd; ++j)
          for (int k = std::max(t.colFirst, j + 1); k < t.colEnd; ++k)
            sums[PairIndex(j, k, m)] = acc[j - t.rowFirst][k - t.colFirst];
      },
      [&](long long index) {
        finished += tiles[static_cast<std::size_t>(index)].pairs;
        if (done) done(finished);
      });
  return sums;
}

}  // namespace tavrel
