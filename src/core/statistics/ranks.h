#pragma once
// Sorting and ranking of series, shared by the rank tests.
#include <cmath>
#include <cstdint>

#include "core/base/checked_array.h"

namespace tavrel {

// Sorts values[left..right] ascending and applies the same rearrangement to
// index[left..right]. Equal values keep their order.
void SortWithIndex(Array<double>& values, Array<std::int32_t>& index, std::int32_t left, std::int32_t right);

// Sorts the whole series ascending (decimals of a few places within a narrow
// enough range by counting them, as TwiceRanks ranks them).
void SortValues(Array<double>& values);

// Sorts keys ascending as unsigned integers (equal keys keep their order).
void SortKeys(Array<std::uint64_t>& keys);

// Replaces values 0..last by their ranks (from 1; tied values get the mean of
// their ranks). Returns the tie sum: the sum of (g^3 - g) / 2 over the groups
// of g tied values.
double RankValues(Array<double>& values, std::int32_t last);

// The working memory of TwiceRanks, kept from one series to the next so that
// ranking many long series takes no fresh memory each time.
struct RankScratch {
  Array<std::uint64_t> keys, keysOut;
  Array<std::int32_t> order, orderOut;
  Array<std::uint32_t> byDecimal;
};

// The ranks RankValues gives values[0..count - 1], each doubled to a whole
// number (a rank is whole or a half) into twice, without changing values;
// returns the tie sum. Values that are decimals of a few places
// (DecimalValues) within a narrow enough range are counted by their decimal,
// each decimal being one tie group; others are sorted.
double TwiceRanks(const double* values, std::int32_t count, Array<std::uint32_t>& twice, RankScratch& scratch);

// The groups of tied values of an ascending series of n values, value(i) being
// the i-th: a group is its first value and every following value within 1e-10
// of it, so values that differ only by rounding noise (3.5 - 1.4 and 3.1 - 1.0)
// always share a group, whatever order the sort left them in. visit(first,
// count) gets each group's first position (from 0) and size; the rank of its
// values is first + (count + 1) / 2. InTieGroup tells whether a value, not
// below a group's first value start, belongs to that group.
inline bool InTieGroup(double start, double value) { return (value == start) | (value - start < 1e-10); }

template <class Value, class Visit>
void ForEachTieGroup(long long n, Value value, Visit visit) {
  long long first = 0;
  while (first < n) {
    const double start = value(first);
    long long end = first + 1;
    while (end < n && InTieGroup(start, value(end))) ++end;
    visit(first, end - first);
    first = end;
  }
}

// The rank of the values of a tie group.
inline double GroupRank(long long first, long long count) { return first + (count + 1) / 2.0; }

// The tie sum's term of a group of count values: (count^3 - count) / 2.
inline double TieTerm(long long count) {
  const double g = static_cast<double>(count);
  return (g * g * g - g) / 2;
}

}  // namespace tavrel
