#pragma once
// Pairwise deletion: the observations of a pair of series where either value is
// missing, or either value is an outlier, are dropped from both.
#include <cstdint>

#include "core/data/checked_array.h"

namespace tavrel {

inline constexpr const char* kMissingDeletedNote = "Пропуски удалены попарно.";
inline constexpr const char* kOutliersDeletedNote = " Всплески удалены попарно.";

// Drops the positions 0..last where x or y is missing; last is lowered. A
// dropped position receives the pair at the end, so the order changes, but
// pairs are never split. The processing note gets its sentence.
void DeletePairsEmpty(Array<double>& x, Array<double>& y, std::int32_t& last);

// The same for the positions where x or y lies outside its own outlier limits,
// taken over the whole of 0..last before anything is dropped.
void DeletePairsOutliers(Array<double>& x, Array<double>& y, std::int32_t& last);

}  // namespace tavrel
