#include "core/statistics/min_max.h"

namespace tavrel {

namespace {

template <class T>
void Extremes(const Array<T>& values, std::int32_t last, double empty, T& min, T& max) {
  if (last < 0) {
    min = max = static_cast<T>(empty);
    return;
  }
  min = max = values[0];
  for (std::int32_t i = 1; i <= last; ++i) {
    const T x = values[i];
    if (x > max) max = x;
    if (x < min) min = x;
  }
}

template <class T>
void ExtremesNoEmpty(const Array<T>& values, std::int32_t last, double emptyValue, T& min, T& max, T start) {
  if (last <= 0) {
    Extremes(values, last, emptyValue, min, max);
    return;
  }
  const T empty = static_cast<T>(emptyValue);
  max = -start;
  min = start;
  for (std::int32_t i = 0; i <= last; ++i) {
    const T x = values[i];
    if (x == empty) continue;
    if (x > max) max = x;
    if (x < min) min = x;
  }
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
