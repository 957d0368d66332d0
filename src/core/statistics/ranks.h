#pragma once
// Sorting and ranking of series, shared by the rank tests.
#include <cstdint>

#include "data/checked_array.h"

namespace tavrel {

// Sorts values[left..right] ascending (quicksort) and applies the same
// exchanges to index.
void SortWithIndex(Array<double>& values, Array<std::int32_t>& index, std::int32_t left, std::int32_t right);

// Replaces values 0..last by their ranks (from 1, ties get the mean of their
// ranks; a value within 1e-10 above a group's first value joins the group and
// ends it). Returns the tie sum: the sum of (g^3 - g) / 2 over the groups.
double RankValues(Array<double>& values, std::int32_t last);

// The ranks of an ascending series 0..last, by the same grouping; returns the tie sum.
double RankSorted(const Array<double>& sorted, std::int32_t last, Array<double>& ranks);

}  // namespace tavrel
