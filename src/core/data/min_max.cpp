#include "core/data/min_max.h"

namespace tavrel {

namespace {

template <class T>
void Extremes(const Array<T>& values, std::int32_t last, double empty, T& min, T& max) {
  if (last < 0) {
    min = max = static_cast<T>(empty);
    return;
  }
  static_cast<void>(values[last]);  // the whole range lies in the array
  const T* x = values.data();
  // Selections rather than branches, so the loop never waits on a guess.
  T lo = x[0], hi = x[0];
  for (std::int32_t i = 1; i <= last; ++i) {
    hi = x[i] > hi ? x[i] : hi;
    lo = x[i] < lo ? x[i] : lo;
  }
  min = lo;
  max = hi;
}

template <class T>
void ExtremesNoEmpty(const Array<T>& values, std::int32_t last, double emptyValue, T& min, T& max, T start) {
  if (last <= 0) {
    Extremes(values, last, emptyValue, min, max);
    return;
  }
  const T empty = static_cast<T>(emptyValue);
  static_cast<void>(values[last]);  // the whole range lies in the array
  const T* x = values.data();
  T lo = start, hi = -start;
  for (std::int32_t i = 0; i <= last; ++i) {
    // A missing value stands in as the starting extreme, which never moves them.
    const T high = x[i] == empty ? -start : x[i];
    const T low = x[i] == empty ? start : x[i];
    hi = high > hi ? high : hi;
    lo = low < lo ? low : lo;
  }
  min = lo;
  max = hi;
}

}  // namespace

void MinMax(const Array<double>& values, std::int32_t last, double empty, double& min, double& max) {
  Extremes(values, last, empty, min, max);
}

void MinMaxInt(const Array<std::int32_t>& values, std::int32_t last, double empty, std::int32_t& min,
               std::int32_t& max) {
  Extremes(values, last, empty, min, max);
}

void MinMaxNoEmpty(const Array<double>& values, std::int32_t last, double empty, double& min, double& max) {
  ExtremesNoEmpty(values, last, empty, min, max, 1e10);
  if (last > 0) {
    if (max == -1e10) max = 0;
    if (min == 1e10) min = 0;
  }
}

void MinMaxIntNoEmpty(const Array<std::int32_t>& values, std::int32_t last, double empty, std::int32_t& min,
                      std::int32_t& max) {
  ExtremesNoEmpty(values, last, empty, min, max, 1000000000);
}

}  // namespace tavrel
