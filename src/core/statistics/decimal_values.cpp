#include "core/statistics/decimal_values.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/base/numbers.h"
#include "core/base/value_search.h"

namespace tavrel {

namespace {

// Whether every value of x[0..count) is the double nearest to a whole number
// divided by scale (a power of ten), below DecimalValues::kLargest in size;
// takes the values into the running extremes low and high either way. Two
// values at a time in vector registers.
bool KeepToPlaces(const double* x, std::size_t count, double scale, DoublePair& low, DoublePair& high) {
  const DoublePair scales = BothOf(scale), largest = BothOf(DecimalValues::kLargest);
  PairMask astray = {0, 0};
  std::size_t i = 0;
  for (; i + 2 <= count; i += 2) {
    DoublePair v;
    std::memcpy(&v, x + i, sizeof v);
    const DoublePair whole = (v * scales + kRounder) - kRounder;
    const DoublePair size = v < 0 ? -v : v;
    // Not a number fails both.
    astray |= (size < largest) == 0;
    astray |= whole / scales != v;
    low = v < low ? v : low;
    high = v > high ? v : high;
  }
  bool kept = (astray[0] | astray[1]) == 0;
  for (; i < count; ++i) {
    kept &= (std::fabs(x[i]) < DecimalValues::kLargest) & (WholeOf(x[i], scale) / scale == x[i]);
    low[0] = std::min(low[0], x[i]);
    high[0] = std::max(high[0], x[i]);
  }
  return kept;
}

}  // namespace

DecimalValues DecimalValuesOf(const double* values, long long n) {
  if (n <= 0) return {};
  DecimalValues result;
  result.places = 0;
  DoublePair low = BothOf(std::numeric_limits<double>::infinity()), high = -low;
  // The values are looked at a block at a time with the places found so far,
  // and a block that does not keep to them again with more.
  constexpr long long kBlock = 256;
  for (long long start = 0; start < n; start += kBlock) {
    const auto count = static_cast<std::size_t>(std::min(kBlock, n - start));
    while (!KeepToPlaces(values + start, count, PowerOfTen(result.places), low, high))
      if (++result.places > DecimalValues::kMostPlaces) return {};
  }
  result.low = std::min(low[0], low[1]);
  result.high = std::max(high[0], high[1]);
  return result;
}

ByDecimal::ByDecimal(const DecimalValues& decimals, double scale)
    : scale(scale),
      lowest(WholeOf(decimals.low, scale)),
      wholes(static_cast<std::size_t>(WholeOf(decimals.high, scale) - lowest + 1)) {}

void CountByDecimal(const double* values, long long count, const ByDecimal& by, Array<std::uint32_t>& counts) {
  counts.assign(by.wholes, 0);
  for (long long i = 0; i < count; ++i) ++counts[static_cast<long long>(by.PlaceOf(values[i]))];
}

}  // namespace tavrel
