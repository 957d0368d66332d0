#pragma once
// The distances between the objects of a cluster run (the observations,
// described by the selected variables), and how they are measured.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "core/base/checked_array.h"
#include "core/data/dataset.h"

namespace tavrel {

// A symmetric n x n matrix of doubles, stored whole so that every row can be
// read in order; it starts at 0. Both indices are checked.
class DistanceMatrix {
 public:
  DistanceMatrix() = default;
  explicit DistanceMatrix(std::int32_t n);
  DistanceMatrix(DistanceMatrix&& other) noexcept { Swap(other); }
  DistanceMatrix& operator=(DistanceMatrix&& other) noexcept {
    DistanceMatrix old(std::move(*this));
    Swap(other);
    return *this;
  }
  ~DistanceMatrix();

  std::int32_t Size() const { return n_; }
  double At(std::int32_t k, std::int32_t l) const { return values_[Index(k, l)]; }
  // Copies every d[k][l], from <= k < to, k < l, to d[l][k]. Calls over
  // separate rows may run at once.
  void MirrorRows(std::int32_t from, std::int32_t to);
  // Writes d[k][l] and d[l][k].
  void Set(std::int32_t k, std::int32_t l, double value) {
    values_[Index(k, l)] = value;
    values_[Index(l, k)] = value;
  }
  // Row k, Size() entries, for loops that walk a row.
  const double* Row(std::int32_t k) const { return values_ + Index(k, 0); }
  double* Row(std::int32_t k) { return values_ + Index(k, 0); }

 private:
  void Swap(DistanceMatrix& other) noexcept {
    std::swap(n_, other.n_);
    std::swap(values_, other.values_);
  }
  long long Index(std::int32_t k, std::int32_t l) const {
    if (k < 0 || k >= n_ || l < 0 || l >= n_) ThrowIndexError(k < 0 || k >= n_ ? k : l, static_cast<std::size_t>(n_));
    return static_cast<long long>(k) * n_ + l;
  }

  std::int32_t n_ = 0;
  double* values_ = nullptr;  // n_ * n_ entries, owned
};

// The features of a run: a copy of the data set's variables in force
// (0..LastVar) at the objects 0..last, so that the data set itself is never changed.
struct Features {
  Array<std::string> names;
  Array<Array<double>> values;  // [feature][object]
  std::int32_t Objects() const { return values.empty() ? 0 : static_cast<std::int32_t>(values[0].Count()); }
};
Features SelectedFeatures(const DataSet& data, std::int32_t lastObject);

// Brings every feature, in order, to mean 0 and standard deviation 1 (divisor
// n - 1). A feature whose deviation is exactly 0 stops it: the result is the
// error message naming it; empty when all were standardised.
std::string StandardiseSelected(Features& features);

// Builds the distances by the object distance measure (0 Euclidean on
// standardised values, 1 city-block over the ranges, 2 Hamming count).
// rowDone is called once per matrix row. The result is the error message of a
// measure that cannot be computed (a constant feature), empty when d was built.
std::string BuildDistanceMatrix(Features features, int measure, DistanceMatrix& d,
                                const std::function<void()>& rowDone);

}  // namespace tavrel
