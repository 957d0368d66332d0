#pragma once
// Series whose values are all decimals of a few places, as values read from a
// text are, which the rank tests can count by value instead of sorting.
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

// 10 to the power places, for 0 <= places <= DecimalValues::kMostPlaces.
double TenToThe(int places);

// value * scale rounded to the nearest whole number (below 2^51 in size, as a
// value of DecimalValues times its scale is).
// Adding and taking away 1.5 * 2^52 leaves the whole number nearest.
inline constexpr double kRounder = 6755399441055744.0;
inline double WholeOf(double value, double scale) { return (value * scale + kRounder) - kRounder; }

}  // namespace tavrel
