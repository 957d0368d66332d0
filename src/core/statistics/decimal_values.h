#pragma once
// Series whose values are all decimals of a few places, as values read from a
// text are, which the rank tests can count by value instead of sorting.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/base/checked_array.h"

namespace tavrel {

// Whether every value of a series is a decimal of at most kMostPlaces places
// after the point (the double nearest to it) below kLargest in size, and the
// least and the greatest value. Two values of such series are then equal when
// they are one decimal and at least 1e-6 apart when not; the difference of two
// strays from its decimal by less than 1.5e-11 (half a unit in the last place
// of each value and of the difference), so differences of one decimal lie
// within 3e-11 of one another and those of different ones 1e-6 apart. Either
// way the tie groups of the rank tests (1e-10 wide) are the decimals.
struct DecimalValues {
  static constexpr int kMostPlaces = 6;
  static constexpr double kLargest = 65536;
  int places = -1;  // the places every value keeps to, or -1 when not so
  double low = 0, high = 0;
};
DecimalValues DecimalValuesOf(const double* values, long long n);

// Adding and taking away 1.5 * 2^52 leaves the whole number nearest to what
// lies within 2^51 in size.
inline constexpr double kRounder = 6755399441055744.0;

// value * scale rounded to the nearest whole number (below 2^51 in size, as a
// value of DecimalValues times its scale is).
inline double WholeOf(double value, double scale) { return (value * scale + kRounder) - kRounder; }

// Values of DecimalValues counted by their decimal at scale (10 to the power
// of their places, or more): value * scale is a whole number, one of wholes
// from lowest on.
struct ByDecimal {
  double scale = 0, lowest = 0;
  std::size_t wholes = 0;
  ByDecimal() = default;
  ByDecimal(const DecimalValues& decimals, double scale);
  // The place of a value among the wholes.
  std::size_t PlaceOf(double value) const {
    return std::min(static_cast<std::size_t>(WholeOf(value, scale) - lowest), wholes - 1);
  }
};

// How many of values[0..count) there are of each whole of by.
void CountByDecimal(const double* values, long long count, const ByDecimal& by, Array<std::uint32_t>& counts);

}  // namespace tavrel
