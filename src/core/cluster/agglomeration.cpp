#include "core/cluster/agglomeration.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <utility>

#include "core/base/errors.h"
#include "core/cluster/cluster_options.h"

namespace tavrel {

namespace {

constexpr std::int32_t kRowBlock = 64;
// Below this many live clusters a join is quicker on one thread than shared.
constexpr std::size_t kSharedJoinFrom = 512;

}  // namespace

Agglomeration::Agglomeration(DistanceMatrix d, int method, double beta)
    : n_(d.Size()), d_(std::move(d)), beta_(beta), update_(UpdateFor(method)) {
  const auto n = static_cast<std::size_t>(n_);
  live_.assign(n, 1);
  liveIndices_.resize(n);
  membership_.resize(n);
  sizes_.assign(2 * n, 0);
  sizeAtIndex_.assign(n, 1.0);
  rowMin_.assign(n, 0.0);
  rowPos_.assign(n, -1);
  rowBound_.assign(n, 0);
  blockBest_.assign((n + kRowBlock - 1) / kRowBlock, -1);
  blockStale_.assign(blockBest_.Count(), 1);
  for (std::int32_t k = 0; k < n_; ++k) {
    liveIndices_[k] = k;
    membership_[k] = k + 1;
    sizes_[k] = 1;
  }
  // The rows' first minima, the upper rows on the helper: a row is as long
  // as the objects after it, so the first 29 % of the rows (1 - 1/sqrt 2)
  // hold half the entries. The split falls between blocks of rows.
  const auto rescan = [this](std::int32_t from, std::int32_t to) {
    for (std::int32_t k = from; k < to; ++k) {
      const RowMinimum best = FirstSmallest(d_.Row(k), k + 1, n_);
      SetRowMin(k, best.min, best.pos);
    }
  };
  if (n < kSharedJoinFrom) {
    rescan(0, n_);
  } else {
    const std::int32_t split = static_cast<std::int32_t>(n * 29 / 100) / kRowBlock * kRowBlock;
    helper_.RunAlongside([&] { rescan(0, split); }, [&] { rescan(split, n_); });
  }
  RefreshBlocks();
}

void Agglomeration::SetRowMin(std::int32_t k, double min, std::int32_t pos) {
  rowMin_[k] = min;
  rowPos_[k] = pos;
  rowBound_[k] = 0;
  // Both threads of a join may mark a block at the border of their rows.
  std::atomic_ref<std::uint8_t>(blockStale_[k / kRowBlock]).store(1, std::memory_order_relaxed);
}

void Agglomeration::KeepRowMin(std::int32_t k, std::int32_t i, std::int32_t j, double v) {
  // The row's other entries stay as they were, none below its smallest. Where
  // that was at i or j, every entry before it is larger and none after is smaller.
  const double min = rowMin_[k];
  const std::int32_t pos = rowPos_[k];
  if (rowBound_[k]) {
    if (v < min) SetRowMin(k, v, i);  // below the bound: below every other entry
  } else if (pos == i || pos == j) {
    if (v <= min) {
      SetRowMin(k, v, i);
    } else {
      rowBound_[k] = 1;  // grew, was taken away or became undefined
    }
  } else if (pos < 0 ? !std::isnan(v) : (v < min || (v == min && i < pos))) {
    SetRowMin(k, v, i);
  }
}

// The first row of a block with the smallest entry, as the search over the
// rows in order meets it: strictly smaller replaces.
void Agglomeration::RefreshBlocks() {
  const double* min = rowMin_.data();
  const std::int32_t* pos = rowPos_.data();
  for (long long b = 0; b < blockBest_.Count(); ++b) {
    if (!blockStale_[b]) continue;
    blockStale_[b] = 0;
    const auto first = static_cast<std::int32_t>(b * kRowBlock);
    const std::int32_t last = std::min(n_, first + kRowBlock);
    std::int32_t best = -1;
    for (std::int32_t k = first; k < last; ++k)
      if (pos[k] >= 0 && (best < 0 || min[k] < min[best])) best = k;
    blockBest_[b] = best;
  }
}

Agglomeration::RowMinimum Agglomeration::FirstSmallest(const double* row, std::int32_t from, std::int32_t to) {
  // The smallest defined entry first, over independent lanes (an undefined
  // entry never compares smaller), then the first place that holds it.
  constexpr double kNone = std::numeric_limits<double>::infinity();
  double lane[4] = {kNone, kNone, kNone, kNone};
  std::int32_t l = from;
  for (; l + 4 <= to; l += 4)
    for (int t = 0; t < 4; ++t) lane[t] = row[l + t] < lane[t] ? row[l + t] : lane[t];
  double min = std::min(std::min(lane[0], lane[1]), std::min(lane[2], lane[3]));
  for (; l < to; ++l) min = row[l] < min ? row[l] : min;
  for (l = from; l < to; ++l)
    if (row[l] == min) return {row[l], l};
  return {};  // no defined entry
}

void Agglomeration::RescanRow(std::int32_t k) {
  const double* row = d_.Row(k);
  RowMinimum best;
  const auto after = std::upper_bound(liveIndices_.begin(), liveIndices_.end(), k);
  for (auto l = after; l != liveIndices_.end(); ++l) best.Consider(row[*l], *l);
  SetRowMin(k, best.min, best.pos);
}

Agglomeration::RowMinimum Agglomeration::FirstOf(const RowMinimum& earlier, const RowMinimum& later) {
  // As one scan over both parts: the later part wins only with a strictly smaller entry.
  if (earlier.pos < 0) return later;
  return later.pos >= 0 && later.min < earlier.min ? later : earlier;
}

ClosestPair Agglomeration::FindClosest() {
  // Index 0 is never joined away: it is always the smaller of its pair.
  if (liveIndices_.size() < 2) throw RangeError("Нет пары кластеров для объединения");
  // The scan starts from the first pair; an undefined distance there is never replaced.
  const ClosestPair start{0, liveIndices_[1], d_.At(0, liveIndices_[1])};
  if (std::isnan(start.d)) return start;
  // The blocks in order, each by its first smallest row: the same row the
  // search over all rows in order meets first. A row that holds only a bound
  // is scanned and the search goes again: the row it finds is then the first
  // with the smallest entry, as every row before it holds a larger bound.
  for (;;) {
    const double* min = rowMin_.data();
    std::int32_t best = -1;
    for (const std::int32_t k : blockBest_)
      if (k >= 0 && (best < 0 || min[k] < min[best])) best = k;
    if (best < 0) return start;
    if (!rowBound_[best]) return {best, rowPos_[best], rowMin_[best]};
    RescanRow(best);
    RefreshBlocks();
  }
}

namespace {

struct Coefficients {
  double ai, aj, b, g;
};

// The Lance-Williams coefficients of a method for the distance from the
// cluster of size nm to the join of clusters of sizes ni and nj.
template <int Method>
Coefficients CoefficientsOf(double nm, double ni, double nj, double beta) {
  const double nk = ni + nj;
  if constexpr (Method == kNearestNeighbour) return {0.5, 0.5, 0, -0.5};
  if constexpr (Method == kFurthestNeighbour) return {0.5, 0.5, 0, 0.5};
  if constexpr (Method == kGroupAverage) return {ni / nk, nj / nk, 0, 0};
  if constexpr (Method == kCentroid) return {ni / nk, nj / nk, -ni * nj / (nk * nk), 0};
  if constexpr (Method == kWard) {
    const double t = nm + ni + nj;
    return {(nm + ni) / t, (nm + nj) / t, -nm / t, 0};
  }
  if constexpr (Method == kFlexible) return {(1 - beta) / 2, (1 - beta) / 2, beta, 0};
}

}  // namespace

template <int Method>
Agglomeration::RowMinimum Agglomeration::UpdateDistances(std::int32_t i, std::int32_t j, double ni, double nj,
                                                         std::size_t from, std::size_t to) {
  // The distances from the new cluster, read before any of them is replaced:
  // rows i and j are read in order, column i is written to keep the matrix symmetric.
  double* const rowI = d_.Row(i);
  const double* const rowJ = d_.Row(j);
  double* const columnI = d_.Row(0) + i;
  const double* const size = sizeAtIndex_.data();
  const std::int32_t* const live = liveIndices_.data();
  const double dij = rowI[j];
  const long long n = n_;
  const auto update = [&](std::int32_t m) {
    const Coefficients c = CoefficientsOf<Method>(size[m], ni, nj, beta_);
    const double dmi = rowI[m], dmj = rowJ[m];
    const double v = c.ai * dmi + c.aj * dmj + c.b * dij + c.g * std::fabs(dmi - dmj);
    rowI[m] = v;
    columnI[m * n] = v;
    return v;
  };
  // A row above i has a new entry i and loses its entry j; a row between i and
  // j loses its entry j; the rows after j keep theirs.
  const std::size_t atI = std::lower_bound(live + from, live + to, i) - live;
  const std::size_t atJ = std::lower_bound(live + atI, live + to, j) - live;
  for (std::size_t a = from; a < atI; ++a) {
    const std::int32_t m = live[a];
    KeepRowMin(m, i, j, update(m));
  }
  RowMinimum best;
  for (std::size_t a = std::max(from, atI); a < atJ; ++a) {
    const std::int32_t m = live[a];
    if (m == i) continue;
    best.Consider(update(m), m);
    if (rowPos_[m] == j) rowBound_[m] = 1;
  }
  for (std::size_t a = std::max(from, atJ); a < to; ++a) {
    const std::int32_t m = live[a];
    if (m != j) best.Consider(update(m), m);
  }
  return best;
}

Agglomeration::DistanceUpdate Agglomeration::UpdateFor(int method) {
  switch (method) {
    case kNearestNeighbour: return &Agglomeration::UpdateDistances<kNearestNeighbour>;
    case kFurthestNeighbour: return &Agglomeration::UpdateDistances<kFurthestNeighbour>;
    case kGroupAverage: return &Agglomeration::UpdateDistances<kGroupAverage>;
    case kCentroid: return &Agglomeration::UpdateDistances<kCentroid>;
    case kWard: return &Agglomeration::UpdateDistances<kWard>;
    case kFlexible: return &Agglomeration::UpdateDistances<kFlexible>;
    default: throw RangeError("Неизвестный метод объединения " + std::to_string(method));
  }
}

void Agglomeration::Renumber(std::int32_t ci, std::int32_t cj, std::int32_t newCluster) {
  for (std::int32_t& c : membership_)
    if (c == ci || c == cj) c = newCluster;
}

void Agglomeration::Join(std::int32_t i, std::int32_t j, std::int32_t newCluster) {
  if (!(i >= 0 && i < j && j < n_) || !IsLive(i) || !IsLive(j)) throw RangeError("Неверная пара кластеров");
  const std::int32_t ci = membership_[i];
  const std::int32_t cj = membership_[j];
  const double ni = SizeOf(ci);
  const double nj = SizeOf(cj);
  sizes_[newCluster - 1] = SizeOf(ci) + SizeOf(cj);

  // With many clusters the helper takes the distances of the later half of
  // the live clusters: each thread keeps to much the same rows from join to
  // join, so the column entries it writes are often still in its cache.
  const std::size_t count = liveIndices_.size();
  RowMinimum rowI;
  if (count < kSharedJoinFrom) {
    rowI = (this->*update_)(i, j, ni, nj, 0, count);
    Renumber(ci, cj, newCluster);
  } else {
    const std::size_t half = count / 2;
    RowMinimum first, second;
    helper_.RunAlongside([&] { second = (this->*update_)(i, j, ni, nj, half, count); },
                         [&] {
                           Renumber(ci, cj, newCluster);
                           first = (this->*update_)(i, j, ni, nj, 0, half);
                         });
    rowI = FirstOf(first, second);
  }
  sizeAtIndex_[i] = SizeOf(newCluster);
  live_[j] = 0;
  liveIndices_.erase(std::lower_bound(liveIndices_.begin(), liveIndices_.end(), j));
  SetRowMin(j, 0, -1);
  SetRowMin(i, rowI.min, rowI.pos);
  RefreshBlocks();
}

}  // namespace tavrel
