#pragma once
// Hierarchical joining over a distance matrix: the closest pair of clusters,
// and the Lance-Williams update of the distances after each join.
//
// Clusters live at matrix indices: at the start object k is cluster k + 1 at
// index k; a join of the clusters at indices i < j keeps the new cluster at i
// and takes j out of the search for good. The closest pair is the one the
// row-by-row scan of the upper triangle over the live indices would pick: the
// smallest distance, the first pair met on ties. To find it without scanning
// the whole triangle every row keeps its smallest entry and where it stands.
// When a join takes a row's smallest entry away or makes it larger, the old
// value stays as a bound below the row's entries and the row is scanned again
// only once the search would pick it. The rows stand in blocks that keep
// their own first smallest entry, so that the search looks at the blocks and
// at the rows of the blocks that changed.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/base/checked_array.h"
#include "core/base/helper_thread.h"
#include "core/cluster/distance_matrix.h"

namespace tavrel {

struct ClosestPair {
  std::int32_t i = 0;  // the smaller matrix index
  std::int32_t j = 0;
  double d = 0;
};

class Agglomeration {
 public:
  // method is the joining method (0..5); beta its coefficient for the flexible method.
  Agglomeration(DistanceMatrix d, int method, double beta);

  std::int32_t Objects() const { return n_; }
  bool IsLive(std::int32_t index) const { return live_[index] != 0; }
  double Distance(std::int32_t k, std::int32_t l) const { return d_.At(k, l); }
  // The number of the cluster that holds each object.
  const Array<std::int32_t>& Membership() const { return membership_; }
  // The number of objects of a cluster (0 for a cluster not yet formed).
  std::int32_t SizeOf(std::int32_t cluster) const { return sizes_[cluster - 1]; }

  // The closest pair of live clusters. Needs two live clusters at least.
  ClosestPair FindClosest();

  // Joins the clusters at indices i < j into the cluster numbered newCluster:
  // the objects of both take its number, its distances to the others follow
  // the method's recurrence, and index j leaves the search.
  void Join(std::int32_t i, std::int32_t j, std::int32_t newCluster);

 private:
  // The first smallest entry of a row over some of its live columns.
  struct RowMinimum {
    double min = 0;
    std::int32_t pos = -1;  // -1: no entry there
    // The entry v at column l, met after those seen so far: the first defined
    // entry, then only a strictly smaller one, takes the place.
    void Consider(double v, std::int32_t l) {
      if (pos < 0 ? !std::isnan(v) : v < min) *this = {v, l};
    }
  };
  // The Lance-Williams update after joining i < j, for the live indices at
  // positions from..to - 1 of liveIndices_: the distances from the new
  // cluster at i, in row i and column i, and the first smallest of them right
  // of the diagonal (j left out), returned. The rows above j there keep their
  // smallest entries or their bounds. Parts over separate positions may run at once.
  template <int Method>
  RowMinimum UpdateDistances(std::int32_t i, std::int32_t j, double ni, double nj, std::size_t from, std::size_t to);
  using DistanceUpdate = RowMinimum (Agglomeration::*)(std::int32_t, std::int32_t, double, double, std::size_t,
                                                       std::size_t);
  static DistanceUpdate UpdateFor(int method);
  // The first smallest of two minima of consecutive parts of a row.
  static RowMinimum FirstOf(const RowMinimum& earlier, const RowMinimum& later);
  // Gives every object of clusters ci and cj the number newCluster.
  void Renumber(std::int32_t ci, std::int32_t cj, std::int32_t newCluster);
  // The first smallest entry of row[from..to - 1], as Consider over them in order would find it.
  static RowMinimum FirstSmallest(const double* row, std::int32_t from, std::int32_t to);
  void RescanRow(std::int32_t k);
  void SetRowMin(std::int32_t k, double min, std::int32_t pos);
  // Row k above j after joining i < j, whose entry at i became v.
  void KeepRowMin(std::int32_t k, std::int32_t i, std::int32_t j, double v);
  void RefreshBlocks();

  std::int32_t n_;
  DistanceMatrix d_;
  double beta_;
  DistanceUpdate update_;
  HelperThread helper_;  // shares each join's distances on a large matrix
  Array<std::uint8_t> live_;
  std::vector<std::int32_t> liveIndices_;  // ascending
  Array<std::int32_t> membership_;
  Array<std::int32_t> sizes_;      // by cluster number - 1
  Array<double> sizeAtIndex_;      // the size of the cluster that lives at each index
  Array<double> rowMin_;           // smallest live entry right of the diagonal
  Array<std::int32_t> rowPos_;     // its column, -1 when the row has none or has left
  Array<std::uint8_t> rowBound_;   // rowMin_ is only a bound below the row's entries: scan it before taking it
  Array<std::int32_t> blockBest_;  // the row of each block's first smallest entry, -1 when none
  Array<std::uint8_t> blockStale_;  // a row of the block changed since the block was last looked at
};

}  // namespace tavrel
