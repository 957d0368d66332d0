#pragma once
// Moving averages of a series by 3 and by 5 points, for the graphs.
#include <cstdint>
#include <string>

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

}  // namespace tavrel
