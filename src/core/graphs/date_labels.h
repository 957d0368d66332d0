#pragma once
// Dates labelling a graph's X axis in place of the observations' numbers: the
// day and month, the year where it changes, labels spaced so they never meet.
// The sequential graph, the graphic editor and the combined chart all follow
// these rules.
#include <cstdint>
#include <string>

namespace tavrel {

// The widest label a date takes, by which the labels are spaced.
inline constexpr const char* kWidestDateLabel = "00.00.0000";

// Dates on an X axis of pixelsPerObservation are labelled every so many
// observations as leaves room for the widest label, labelWidth pixels, and
// 4 pixels between labels.
std::int32_t DateLabelStep(double labelWidth, double pixelsPerObservation);

// The label under observation j when dates are labelled every step
// observations from observation 0: the date, with its year at the first label
// from observation first on (the first one on show) and where the year changes
// from the label before; empty between labels and for an observation without
// a date.
std::string DateTickLabel(const double* dates, std::int32_t j, std::int32_t step, std::int32_t first = 0);

}  // namespace tavrel
