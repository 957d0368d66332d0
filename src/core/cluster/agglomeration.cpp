#include "cluster/agglomeration.h"

#include <cmath>
#include <utility>

#include "cluster/cluster_options.h"
#include "data/errors.h"

namespace tavrel {

Agglomeration::Agglomeration(DistanceMatrix d, int method, double beta)
    : n_(d.Size()), d_(std::move(d)), method_(method), beta_(beta) {
  if (method < 0 || method >= kJoiningMethodCount)
    throw RangeError("Неизвестный метод объединения " + std::to_string(method));
  const auto n = static_cast<std::size_t>(n_);
  live_.assign(n, 1);
  next_.resize(n);
  prev_.resize(n);
  membership_.resize(n);
  sizes_.assign(2 * n, 0);
  rowMin_.assign(n, 0.0);
  rowPos_.assign(n, -1);
  for (std::int32_t k = 0; k < n_; ++k) {
    next_[k] = k + 1;
    prev_[k] = k - 1;
    membership_[k] = k + 1;
    sizes_[k] = 1;
  }
  for (std::int32_t k = 0; k < n_; ++k) RescanRow(k);
}

void Agglomeration::RescanRow(std::int32_t k) {
  std::int32_t pos = -1;
  double min = 0;
  for (std::int32_t l = next_[k]; l < n_; l = next_[l]) {
    const double v = d_.At(k, l);
    if (pos < 0 ? !std::isnan(v) : v < min) {
      min = v;
      pos = l;
    }
  }
  rowMin_[k] = min;
  rowPos_[k] = pos;
}

ClosestPair Agglomeration::FindClosest() const {
  const std::int32_t first = 0;  // index 0 is never joined away: it is always the smaller of its pair
  if (n_ < 2 || next_[first] >= n_) throw RangeError("Нет пары кластеров для объединения");
  // The scan starts from the first pair; an undefined distance there is never replaced.
  const ClosestPair start{first, next_[first], d_.At(first, next_[first])};
  if (std::isnan(start.d)) return start;
  std::int32_t best = -1;
  for (std::int32_t k = first; k < n_; k = next_[k])
    if (rowPos_[k] >= 0 && (best < 0 || rowMin_[k] < rowMin_[best])) best = k;
  if (best < 0) return start;
  return {best, rowPos_[best], rowMin_[best]};
}

double Agglomeration::UpdatedDistance(std::int32_t m, double dmi, double dmj, double dij, double ni,
                                      double nj) const {
  double ai = 0.5, aj = 0.5, b = 0, g = 0;
  const double nk = ni + nj;
  switch (method_) {
    case kNearestNeighbour:
      g = -0.5;
      break;
    case kFurthestNeighbour:
      g = 0.5;
      break;
    case kGroupAverage:
      ai = ni / nk;
      aj = nj / nk;
      break;
    case kCentroid:
      ai = ni / nk;
      aj = nj / nk;
      b = -ni * nj / (nk * nk);
      break;
    case kWard: {
      const double nm = SizeOf(membership_[m]);
      const double t = nm + ni + nj;
      ai = (nm + ni) / t;
      aj = (nm + nj) / t;
      b = -nm / t;
      break;
    }
    default:  // flexible
      ai = (1 - beta_) / 2;
      aj = ai;
      b = beta_;
      break;
  }
  return ai * dmi + aj * dmj + b * dij + g * std::fabs(dmi - dmj);
}

void Agglomeration::Join(std::int32_t i, std::int32_t j, std::int32_t newCluster) {
  if (!(i < j) || !IsLive(i) || !IsLive(j)) throw RangeError("Неверная пара кластеров");
  const std::int32_t ci = membership_[i];
  const std::int32_t cj = membership_[j];
  const double ni = SizeOf(ci);
  const double nj = SizeOf(cj);
  std::int32_t& size = sizes_[newCluster - 1];
  for (std::int32_t& c : membership_) {
    if (c != ci && c != cj) continue;
    c = newCluster;
    ++size;
  }

  // The distances from the new cluster, read before any of them is replaced.
  const double dij = d_.At(i, j);
  for (std::int32_t m = 0; m < n_; m = next_[m]) {
    if (m == i || m == j) continue;
    d_.Set(i, m, UpdatedDistance(m, d_.At(i, m), d_.At(j, m), dij, ni, nj));  // rows i and j read in order
  }
  live_[j] = 0;
  next_[prev_[j]] = next_[j];  // j > i, so some live index stands below it
  if (next_[j] < n_) prev_[next_[j]] = prev_[j];

  // The smallest entries: row i changed throughout; a row above i lost its
  // entry j and has a new entry i; a row between i and j lost its entry j.
  RescanRow(i);
  for (std::int32_t m = 0; m < j; m = next_[m]) {
    if (m == i) continue;
    if (rowPos_[m] == j) {
      RescanRow(m);
    } else if (m < i) {
      const double v = d_.At(i, m);  // the same entry, read along row i
      if (rowPos_[m] == i) {
        if (v <= rowMin_[m]) {
          rowMin_[m] = v;  // still the first smallest: the entries left of i are larger
        } else {
          RescanRow(m);  // grew or became undefined
        }
      } else if (rowPos_[m] < 0 ? !std::isnan(v) : (v < rowMin_[m] || (v == rowMin_[m] && i < rowPos_[m]))) {
        rowMin_[m] = v;
        rowPos_[m] = i;
      }
    }
  }
}

}  // namespace tavrel
