#pragma once
// Pairwise deletion: the observations of a pair of series where either value is
// missing, or either value is an outlier, are dropped from both.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/checked_array.h"

namespace tavrel {

inline constexpr const char* kMissingDeletedNote = "Пропуски удалены попарно.";
inline constexpr const char* kOutliersDeletedNote = " Всплески удалены попарно.";

// Drops the positions 0..last where x or y is missing (equal to empty); last
// is lowered. A dropped position receives the pair at the end, so the order
// changes, but pairs are never split.
void DeletePairsEmpty(Array<double>& x, Array<double>& y, std::int32_t& last, double empty);

// The same for the positions where x or y lies outside its own outlier limits,
// taken over the whole of 0..last before anything is dropped.
void DeletePairsOutliers(Array<double>& x, Array<double>& y, std::int32_t& last, double empty);

// Adds a deletion sentence (kMissingDeletedNote or kOutliersDeletedNote) to the
// processing note unless the sentences at the note's end already include it,
// so that a run over many pairs (or repeated runs) records it once.
void NotePairDeletion(std::string& note, std::string_view sentence);

}  // namespace tavrel
