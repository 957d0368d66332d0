#pragma once
// Moving averages of a series by 3 and by 5 points, for the graphs.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/checked_array.h"

namespace tavrel {

// Smooths positions 1..last in place (position 0 keeps its value), with linear
// end formulas; an end value that would be negative is taken from its
// neighbour. A series too short to smooth (last up to 6, or up to 10 by 5
// points) stays unchanged and the message to show is returned; otherwise the
// result is empty.
[[nodiscard]] std::string SmoothBy3(Array<double>& values, std::int32_t last, const std::string& name);
[[nodiscard]] std::string SmoothBy5(Array<double>& values, std::int32_t last, const std::string& name);

// Smooths positions 0..last of a series with gaps by 3 points (points 3) or by
// 5: missing values (emptyValue, or not finite) stay where they are, and every
// run of values between them is smoothed on its own as a series of its own; a
// run too short to smooth stays as it is. Returns the message of a series of
// which no run could be smoothed, else an empty text.
[[nodiscard]] std::string SmoothRuns(Array<double>& values, std::int32_t last, const std::string& name,
                                     double emptyValue, int points);

// Whether a run of values 0..last is long enough to smooth by points (3 or 5).
inline bool Smoothable(std::int32_t last, int points) { return last > (points == 3 ? 6 : 10); }

// The message for a series of which no run is long enough to smooth by points.
std::string TooFewValuesMessage(int points, const std::string& name);

// A graph's smoothing of a series with gaps, read where the series lies: every
// run of present values between the series' own gaps (emptyValue, or not
// finite) is smoothed on its own by 3 points (by3), by 5 (by5), or by 3 and
// then by 5; a run too short for a pass keeps what it has. Nothing is copied
// beyond a run's ends.
struct RunSmoothing {
  const double* values = nullptr;
  std::int32_t last = -1;
  double emptyValue = 0;
  bool by3 = false;
  bool by5 = false;
};

struct SmoothedExtremes {
  double min = 0;  // of the finite values as smoothed; 0 and 0 when there are none
  double max = 0;
  std::int32_t longestRun = -1;  // the last index of the longest run (-1: nothing present)
};

// The extremes of the series as smoothed (as loaded when neither pass is on),
// in one pass over it.
SmoothedExtremes ExtremesOf(const RunSmoothing& s);

// Positions first..final of the series as smoothed, into out (NaN at the
// series' gaps); only a few values around them are read.
void SmoothedStretch(const RunSmoothing& s, std::int32_t first, std::int32_t final, std::vector<double>& out);

}  // namespace tavrel
