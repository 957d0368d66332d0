#include "core/data/min_max.h"

#include <cstring>
#include <type_traits>

#include "core/base/value_search.h"

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
  // A missing value stands in as the starting extreme, which never moves them.
  const auto take = [&](T v, T& lo, T& hi) {
    const T high = v == empty ? -start : v;
    const T low = v == empty ? start : v;
    hi = high > hi ? high : hi;
    lo = low < lo ? low : lo;
  };
  // Four running extremes side by side, so that no comparison waits for the one before.
  T lo[4] = {start, start, start, start}, hi[4] = {-start, -start, -start, -start};
  std::int32_t i = 0;
  if constexpr (std::is_same_v<T, double>) {
    // Doubles two at a time in vector registers: eight running extremes.
    const DoublePair missing = BothOf(empty), low0 = BothOf(start), high0 = BothOf(-start);
    DoublePair vlo[4] = {low0, low0, low0, low0}, vhi[4] = {high0, high0, high0, high0};
    for (; i + 7 <= last; i += 8) {
      for (int k = 0; k < 4; ++k) {
        DoublePair v;
        std::memcpy(&v, x + i + 2 * k, sizeof v);
        const PairMask isMissing = v == missing;
        const DoublePair high = isMissing ? high0 : v, low = isMissing ? low0 : v;
        vhi[k] = high > vhi[k] ? high : vhi[k];
        vlo[k] = low < vlo[k] ? low : vlo[k];
      }
    }
    for (int k = 0; k < 4; ++k) {
      for (int lane = 0; lane < 2; ++lane) {
        hi[k] = vhi[k][lane] > hi[k] ? vhi[k][lane] : hi[k];
        lo[k] = vlo[k][lane] < lo[k] ? vlo[k][lane] : lo[k];
      }
    }
  }
  for (; i + 3 <= last; i += 4) {
    for (int k = 0; k < 4; ++k) take(x[i + k], lo[k], hi[k]);
  }
  for (; i <= last; ++i) take(x[i], lo[0], hi[0]);
  for (int k = 1; k < 4; ++k) {
    hi[0] = hi[k] > hi[0] ? hi[k] : hi[0];
    lo[0] = lo[k] < lo[0] ? lo[k] : lo[0];
  }
  // Equal extremes are the same number but for the sign of a zero, and a
  // single pass keeps the first zero it meets.
  if (lo[0] == 0 || hi[0] == 0) {
    lo[0] = start;
    hi[0] = -start;
    for (i = 0; i <= last; ++i) take(x[i], lo[0], hi[0]);
  }
  min = lo[0];
  max = hi[0];
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
