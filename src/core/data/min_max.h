#pragma once
// Smallest and largest values of a series 0..last.
#include <cstdint>

#include "core/base/checked_array.h"

namespace tavrel {

// last < 0 gives the missing-value code empty for both; last 0 gives
// values[0] for both; otherwise the extremes of values 0..last.
void MinMax(const Array<double>& values, std::int32_t last, double empty, double& min, double& max);
void MinMaxInt(const Array<std::int32_t>& values, std::int32_t last, double empty, std::int32_t& min,
               std::int32_t& max);

// As MinMax, skipping missing values (from index 1 on, with a single value
// taken as it is); when every value is missing both are 0.
void MinMaxNoEmpty(const Array<double>& values, std::int32_t last, double empty, double& min, double& max);
// Integer variant; when every value is missing min stays 1000000000 and max -1000000000.
void MinMaxIntNoEmpty(const Array<std::int32_t>& values, std::int32_t last, double empty, std::int32_t& min,
                      std::int32_t& max);

}  // namespace tavrel
