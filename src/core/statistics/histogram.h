#pragma once
// The histogram of a series against the normal law, shared by the chi-square
// fit and the distribution graph.
#include <cstdint>

#include "core/base/checked_array.h"

namespace tavrel {

// Number of classes k = 5 log10(last), rounded; with k not 0, the class width
// and the start (lower edge of the first class). A series of fewer than two
// values gives k = 0. Width and start are left as they are when k is 0.
void HistClasses(const Array<double>& values, std::int32_t last, std::int32_t& k, double& width, double& start);

// Fills observed and expected counts of the k classes (values v with
// lo < v <= hi; expectations of the normal law with mean and sigma); with merge
// on, small end classes are merged first. Returns df = k - 3 (k after merging).
std::int32_t HistNormal(const Array<double>& values, std::int32_t last, double mean, double sigma, std::int32_t& k,
                        double width, double& start, Array<double>& observed, Array<double>& expected, bool merge);

// Merges end classes whose expected count is below the minimum that the
// series size (last) and df call for into their neighbours, moving start when
// the first class goes; middle classes are never merged.
void MergeSmallClasses(std::int32_t& k, std::int32_t last, std::int32_t df, double& start, double width,
                       Array<double>& expected, Array<double>& observed);

}  // namespace tavrel
