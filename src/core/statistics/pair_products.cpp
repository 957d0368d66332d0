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

// Works the tiles of the pairs of m columns on two threads, telling done the
// pairs finished as tiles end.
void ForEachTile(int m, const std::function<void(int pairs)>& done,
                 const std::function<void(int worker, const Tile& tile)>& work) {
  std::vector<Tile> tiles;
  for (int rows = 0; rows < m; rows += kTileColumns) {
    for (int cols = rows; cols < m; cols += kTileColumns) {
      Tile t{rows, std::min(rows + kTileColumns, m), cols, std::min(cols + kTileColumns, m), 0};
      for (int j = t.rowFirst; j < t.rowEnd; ++j) t.pairs += t.colEnd - std::max(t.colFirst, j + 1);
      if (t.pairs > 0) tiles.push_back(t);
    }
  }
  int finished = 0;
  ForEachInOrder(
      static_cast<long long>(tiles.size()),
      [&](int worker, long long index) { work(worker, tiles[static_cast<std::size_t>(index)]); },
      [&](long long index) {
        finished += tiles[static_cast<std::size_t>(index)].pairs;
        if (done) done(finished);
      });
}

std::size_t PairCount(int m) { return m < 2 ? 0 : static_cast<std::size_t>(m) * static_cast<std::size_t>(m - 1) / 2; }

}  // namespace

std::vector<double> PairProductSums(const std::vector<const double*>& columns, const std::vector<double>& means,
                                    std::int32_t count, const std::function<void(int pairs)>& done) {
  const int m = static_cast<int>(columns.size());
  std::vector<double> sums(PairCount(m), 0.0);
  // Each worker's deviations of a tile's columns over one stretch.
  std::vector<double> deviations[2];
  for (std::vector<double>& d : deviations) d.resize(static_cast<std::size_t>(2 * kTileColumns) * kStretch);
  ForEachTile(m, done, [&](int worker, const Tile& t) {
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
    const auto deviationsOf = [&](int v) { return dev + static_cast<std::ptrdiff_t>(slotOf(v)) * kStretch; };
    double acc[kTileColumns][kTileColumns] = {};
    for (std::int32_t from = 0; from < count; from += kStretch) {
      const std::int32_t length = std::min(kStretch, count - from);
      for (const int v : members) {
        const double* x = columns[static_cast<std::size_t>(v)] + from;
        const double mean = means[static_cast<std::size_t>(v)];
        double* out = deviationsOf(v);
        for (std::int32_t i = 0; i < length; ++i) out[i] = x[i] - mean;
      }
      for (int j = t.rowFirst; j < t.rowEnd; ++j) {
        const double* dj = deviationsOf(j);
        double* row = acc[j - t.rowFirst];
        int k = std::max(t.colFirst, j + 1);
        // Four sums side by side, so that no addition waits for the one before.
        for (; k + 4 <= t.colEnd; k += 4) {
          const double *d0 = deviationsOf(k), *d1 = deviationsOf(k + 1), *d2 = deviationsOf(k + 2),
                       *d3 = deviationsOf(k + 3);
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
          const double* dk = deviationsOf(k);
          double a = row[k - t.colFirst];
          for (std::int32_t i = 0; i < length; ++i) a += dj[i] * dk[i];
          row[k - t.colFirst] = a;
        }
      }
    }
    for (int j = t.rowFirst; j < t.rowEnd; ++j)
      for (int k = std::max(t.colFirst, j + 1); k < t.colEnd; ++k) sums[PairIndex(j, k, m)] = acc[j - t.rowFirst][k - t.colFirst];
  });
  return sums;
}

std::vector<DifferenceSums> PairDifferenceSums(const std::vector<const double*>& columns, std::int32_t count,
                                               const std::function<void(int pairs)>& done) {
  const int m = static_cast<int>(columns.size());
  std::vector<DifferenceSums> sums(PairCount(m));
  ForEachTile(m, done, [&](int, const Tile& t) {
    DifferenceSums acc[kTileColumns][kTileColumns] = {};
    for (std::int32_t from = 0; from < count; from += kStretch) {
      const std::int32_t length = std::min(kStretch, count - from);
      const auto at = [&](int v) { return columns[static_cast<std::size_t>(v)] + from; };
      for (int j = t.rowFirst; j < t.rowEnd; ++j) {
        const double* x = at(j);
        DifferenceSums* row = acc[j - t.rowFirst];
        int k = std::max(t.colFirst, j + 1);
        // Four pairs side by side, so that no addition waits for the one before.
        for (; k + 4 <= t.colEnd; k += 4) {
          const double *y0 = at(k), *y1 = at(k + 1), *y2 = at(k + 2), *y3 = at(k + 3);
          DifferenceSums* r = row + (k - t.colFirst);
          double s0 = r[0].sum, s1 = r[1].sum, s2 = r[2].sum, s3 = r[3].sum;
          double q0 = r[0].squares, q1 = r[1].squares, q2 = r[2].squares, q3 = r[3].squares;
          for (std::int32_t i = 0; i < length; ++i) {
            const double d0 = x[i] - y0[i], d1 = x[i] - y1[i], d2 = x[i] - y2[i], d3 = x[i] - y3[i];
            s0 += d0;
            q0 += d0 * d0;
            s1 += d1;
            q1 += d1 * d1;
            s2 += d2;
            q2 += d2 * d2;
            s3 += d3;
            q3 += d3 * d3;
          }
          r[0] = {s0, q0};
          r[1] = {s1, q1};
          r[2] = {s2, q2};
          r[3] = {s3, q3};
        }
        for (; k < t.colEnd; ++k) {
          const double* y = at(k);
          DifferenceSums& r = row[k - t.colFirst];
          for (std::int32_t i = 0; i < length; ++i) {
            const double d = x[i] - y[i];
            r.sum += d;
            r.squares += d * d;
          }
        }
      }
    }
    for (int j = t.rowFirst; j < t.rowEnd; ++j)
      for (int k = std::max(t.colFirst, j + 1); k < t.colEnd; ++k) sums[PairIndex(j, k, m)] = acc[j - t.rowFirst][k - t.colFirst];
  });
  return sums;
}

}  // namespace tavrel
