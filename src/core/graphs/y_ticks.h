#pragma once
// The Y scale of one band of the sequential graph.
#include <vector>

namespace tavrel {

inline constexpr int kMaxYTicks = 99;

struct YTicks {
  std::vector<double> values;  // t0 .. t(k-1), at most kMaxYTicks
  double step = 0;             // data units between two ticks, as used
  double scale = 0;            // pixels per data unit
  int height = 0;              // band height: pixelStep * k
};

// Ticks for values from min to max (missing ones left out), step data units
// apart and pixelStep pixels apart. The first tick is the largest multiple of
// step not above min (with zeroY and a minimum that is not negative: 0); the
// top tick is the multiple just above max, so the band keeps one free step
// above its values. A step that is not positive or not finite falls back to
// the rounded step of the range; a step that would need more ticks than a band
// may hold, or too many steps to count up to min, is widened until the values
// fit. Values so near the largest doubles that no step fits above them are a
// RangeError.
YTicks ComputeTicks(double min, double max, double step, int pixelStep, bool zeroY);

// The range the automatic step is chosen from.
double TickRange(double min, double max, bool zeroY);

}  // namespace tavrel
